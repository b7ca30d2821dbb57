#pragma once

#include "data/RowAppender.h"
#include "data/RowReader.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <memory>
#include <utility>
#include <vector>

// Named query parameters (":name" in a query text) with their values.
using TSqlParams = std::vector<std::pair<QString, QVariant>>;

// A table or view as the engine describes it, in the type words of the
// schema script ("INTEGER", "VARCHAR(30)", "REAL", "DATETIME", "BOOLEAN").
struct TColumnShape {
    QString Name;
    QString Type;
    bool Key = false;
};

struct TObjectShape {
    QString Name;
    QString Kind; // "table" or "view"
    QList<TColumnShape> Columns;
    QString Error; // why the columns could not be read
};

// One database engine behind the connection: the file engine of a single desk
// or the server several desks share. Everything above it (datasets, the seat
// rule, the tools) speaks only through these operations, so the rules live
// once whatever the engine. Every failure throws EDatabaseError with the
// engine's own text.
class TDatabaseEngine {
public:
    virtual ~TDatabaseEngine() = default;

    virtual void open() = 0;
    virtual void close() = 0;
    virtual bool readOnly() const = 0;
    // What the user is told is open: a file's full path, or a server's address
    // and database (never a password).
    virtual QString displayName() const = 0;

    virtual std::unique_ptr<TRowReader> select(const QString& sql, const TSqlParams& params = {}) = 0;
    // Runs statements that return no rows, one after another.
    virtual void execute(const QStringList& statements) = 0;

    // A transaction that writes: what is read in it after taking a lock (see
    // lockRow) is still true when it commits.
    virtual void begin() = 0;
    virtual void commit() = 0;
    virtual void rollback() noexcept = 0;
    // Keeps every other writer of this row waiting until the transaction ends.
    virtual void lockRow(const QString& table, qint64 id) = 0;

    // Column names are given as the program spells them.
    virtual qint64 insert(const QString& table, const QStringList& columns, const QVariantList& values) = 0;
    // The number of rows changed: 0 when the row is gone.
    virtual int update(const QString& table, const QStringList& columns, const QVariantList& values,
                       qint64 id) = 0;
    virtual void remove(const QString& table, qint64 id) = 0;
    virtual std::unique_ptr<TRowAppender> appender(const QString& table, const QStringList& columns) = 0;
    // The writes that follow on this connection fill a database being made,
    // which is thrown away if they fail: they need not survive a power cut.
    virtual void fastFilling() = 0;
    // After rows were written with their ids given, new rows take ids above them.
    virtual void followIds(const QStringList& tables) = 0;

    // Every table and view of the program's kind (the engine's own excluded).
    virtual QList<TObjectShape> describe() = 0;
    // The schema script in this engine's dialect.
    virtual QString dialect(const QString& script) const = 0;
};
