#pragma once

#include "data/RowReader.h"

#include <QSqlDatabase>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;
struct sqlite3_value;

// The rows of a query on a database file: one prepared statement run straight
// on the engine under the Qt connection. Opening a dataset reads every row of
// a table; going through the generic SQL layer costs a variant per cell, which
// for a year of sales is most of the time a user waits at start-up.
class TSqliteRowReader : public TRowReader {
public:
    // Throws EDatabaseError with the engine's text.
    TSqliteRowReader(const QSqlDatabase& database, const QString& sql);
    ~TSqliteRowReader() override;
    TSqliteRowReader(const TSqliteRowReader&) = delete;
    TSqliteRowReader& operator=(const TSqliteRowReader&) = delete;

    void bind(const QString& name, const QVariant& value);
    bool step() override;
    int columnCount() const override;
    QString columnName(int column) const override;
    Kind kind(int column) const override;
    qint64 integer(int column) const override;
    double real(int column) const override;
    QByteArrayView text(int column) const override;

private:
    [[noreturn]] void fail() const;
    sqlite3* FDb = nullptr;
    sqlite3_stmt* FStatement = nullptr;
    std::vector<sqlite3_value*> FCells; // the current row's
};
