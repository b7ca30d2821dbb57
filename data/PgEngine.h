#pragma once

#include "data/DatabaseEngine.h"

#include <QByteArray>
#include <optional>

struct pg_conn;
struct pg_result;

// A PostgreSQL server that several desks share, reached through libpq with a
// connection URI (libpq's environment variables and password file apply).
// Tables are read in one pass with a binary COPY; a connection lost between
// actions is made again by the next one, never inside a transaction, whose
// writes the server throws away.
class TPgEngine : public TDatabaseEngine {
public:
    // A reading tool's connection may change nothing on the server.
    explicit TPgEngine(QString uri, bool readOnly = false);
    ~TPgEngine() override;

    void open() override;
    void close() override;
    bool readOnly() const override { return FReadOnly; }
    QString displayName() const override;

    std::unique_ptr<TRowReader> select(const QString& sql, const TSqlParams& params) override;
    void execute(const QStringList& statements) override;
    void begin() override;
    void commit() override;
    void rollback() noexcept override;
    void lockRow(const QString& table, qint64 id) override;
    qint64 insert(const QString& table, const QStringList& columns, const QVariantList& values) override;
    int update(const QString& table, const QStringList& columns, const QVariantList& values,
               qint64 id) override;
    void remove(const QString& table, qint64 id) override;
    std::unique_ptr<TRowAppender> appender(const QString& table, const QStringList& columns) override;
    // The server writes its log for every commit anyway; one transaction makes it one.
    void fastFilling() override {}
    void followIds(const QStringList& tables) override;
    QList<TObjectShape> describe() override;
    QString dialect(const QString& script) const override;

    using TParam = std::optional<QByteArray>;
    using TResult = std::unique_ptr<pg_result, void (*)(pg_result*)>;
    // Runs one statement with its parameters in text form; the result is
    // binary when asked. Throws EDatabaseError with the server's text.
    TResult exec(const QString& sql, const std::vector<TParam>& params = {}, bool binary = false);
    // The live connection, made again when it was lost between actions.
    pg_conn* live();
    // Throws the error of a failed result or of the connection itself.
    [[noreturn]] void fail(const pg_result* result) const;
    static TParam param(const QVariant& value);
    // A name of the program in the server's folded spelling, quoted.
    static QString identifier(const QString& name);

private:
    void configure();

    QString FUri;
    pg_conn* FConn = nullptr;
    bool FInTransaction = false;
    bool FOnlyReading;
    bool FReadOnly = false;
};
