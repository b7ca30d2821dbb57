#pragma once

#include <QByteArrayView>

#include <QSqlDatabase>
#include <QString>
#include <QVariant>

struct sqlite3;
struct sqlite3_stmt;

// One prepared statement run straight on the engine under the Qt connection.
// Opening a dataset reads every row of a table; going through the generic SQL
// layer costs a variant per cell, which for a year of sales is most of the time
// a user waits at start-up.
class TSqliteStatement {
public:
    // Throws EDatabaseError with the engine's text.
    TSqliteStatement(const QSqlDatabase& database, const QString& sql);
    ~TSqliteStatement();
    TSqliteStatement(const TSqliteStatement&) = delete;
    TSqliteStatement& operator=(const TSqliteStatement&) = delete;

    void bind(const QString& name, const QVariant& value);
    bool step(); // false after the last row; throws on an engine error
    int columnCount() const;
    QString columnName(int column) const;

    enum class Kind { Null, Integer, Real, Text };
    Kind kind(int column) const;
    qint64 integer(int column) const;
    double real(int column) const;
    // UTF-8 text of the cell, as the engine keeps it; valid until the next step.
    QByteArrayView text(int column) const;

private:
    [[noreturn]] void fail() const;
    sqlite3* FDb = nullptr;
    sqlite3_stmt* FStatement = nullptr;
};
