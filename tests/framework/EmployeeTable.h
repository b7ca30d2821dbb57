#pragma once

#include "data/DataSet.h"
#include "support/TempDatabase.h"

#include <QStringList>

// A fresh database with the given employees (surname and first name pairs) and
// an open table over them, as a data module holds it.
class TEmployeeTable {
public:
    explicit TEmployeeTable(const QList<QStringList>& people) : tbl(QStringLiteral("tblSotrudnik")) {
        for (const QStringList& person : people) {
            db.Exec(
                {QStringLiteral("INSERT INTO tblSotrudnik (fam, names) VALUES ('%1', '%2')")
                     .arg(QString(person[0]).replace(QLatin1String("'"), QLatin1String("''")), person[1])});
        }
        tbl.setObjectName(QStringLiteral("tbl"));
        tbl.Connection = &db.connection();
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

    TTempDatabase db;
    TTable tbl;
};
