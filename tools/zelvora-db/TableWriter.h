#pragma once

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QStringList>
#include <QVariantList>

// Appends rows to one table through one prepared statement, which is what makes
// millions of rows in one transaction affordable.
class TTableWriter {
public:
    TTableWriter(const QSqlDatabase& db, const QString& table, const QStringList& columns);

    // Returns the key the database gave the new row. Throws EDatabaseError.
    qint64 Append(const QVariantList& values);

private:
    QSqlQuery FQuery;
    QString FTable;
};

// Fills a database inside one transaction: committed when Commit() is called,
// rolled back when the guard is left without it.
class TTransaction {
public:
    explicit TTransaction(QSqlDatabase db);
    ~TTransaction();
    TTransaction(const TTransaction&) = delete;
    TTransaction& operator=(const TTransaction&) = delete;
    void Commit();

private:
    QSqlDatabase FDb;
    bool FOpen = false;
};
