#pragma once

#include "data/DataSet.h"
#include "data/Table.h"
#include "tests/support/TempDatabase.h"

#include <QFile>
#include <QStringList>
#include <memory>

// A fresh database with the given employees (surname and first name pairs) and
// an open table over them, as a data module holds it. A read-only one is opened
// from a file without write permission, as a user may be given it.
class TEmployeeTable {
public:
    explicit TEmployeeTable(const QList<QStringList>& people, bool readOnly = false)
        : tbl(QStringLiteral("tblSotrudnik")) {
        for (const QStringList& person : people) {
            db.Exec(
                {QStringLiteral("INSERT INTO tblSotrudnik (fam, names) VALUES ('%1', '%2')")
                     .arg(QString(person[0]).replace(QLatin1String("'"), QLatin1String("''")), person[1])});
        }
        tbl.setObjectName(QStringLiteral("tbl"));
        tbl.Connection = &db.connection();
        if (readOnly) {
            openReadOnly();
        }
        tbl.AddDataField(QStringLiteral("id"), TFieldType::AutoInc);
        tbl.AddDataField(QStringLiteral("fam"), TFieldType::String, 30);
        tbl.AddDataField(QStringLiteral("names"), TFieldType::String, 30);
        tbl.Open();
    }

    QStringList surnames() {
        QStringList result;
        for (tbl.First(); !tbl.Eof(); tbl.Next()) {
            result << tbl.FieldByName(QStringLiteral("fam"))->AsString();
        }
        return result;
    }

    QString fam() const { return tbl.FieldByName(QStringLiteral("fam"))->AsString(); }
    int storedCount() { return db.Scalar(QStringLiteral("SELECT count(*) FROM tblSotrudnik")).toInt(); }

    TTempDatabase db;
    TTable tbl;

private:
    void openReadOnly() {
        // The rows must be in the file itself, not in a journal beside it.
        db.Exec({QStringLiteral("PRAGMA journal_mode=DELETE")});
        QFile::setPermissions(db.Path(), QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
        FReadOnly = std::make_unique<TConnection>(db.Path());
        FReadOnly->Open();
        tbl.Connection = FReadOnly.get();
    }

    std::unique_ptr<TConnection> FReadOnly;
};
