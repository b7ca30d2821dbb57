#pragma once

#include "data/Connection.h"
#include "data/DatabaseEngine.h"

#include <QSqlDatabase>

// A database file on this computer. Opening never creates a missing file
// (unless it is being made), and a file this process may not write is opened
// read-only, so every dataset over it reports that it cannot be modified.
// Anything but a database file (an empty file included) is refused before the
// engine may touch it.
class TSqliteEngine : public TDatabaseEngine {
public:
    TSqliteEngine(QString fileName, TOpenMode mode);
    ~TSqliteEngine() override;

    // Throws EDatabaseError with the engine's text when the file is missing,
    // is not a database, or cannot be read.
    void open() override;
    void close() override;
    bool readOnly() const override { return FReadOnly; }
    QString displayName() const override;

    std::unique_ptr<TRowReader> select(const QString& sql, const TSqlParams& params) override;
    void execute(const QStringList& statements) override;
    void begin() override;
    void commit() override;
    void rollback() noexcept override;
    // The transaction already holds the file's write lock, so no other writer
    // runs until it ends.
    void lockRow(const QString&, qint64) override {}
    qint64 insert(const QString& table, const QStringList& columns, const QVariantList& values) override;
    int update(const QString& table, const QStringList& columns, const QVariantList& values,
               qint64 id) override;
    void remove(const QString& table, qint64 id) override;
    std::unique_ptr<TRowAppender> appender(const QString& table, const QStringList& columns) override;
    void fastFilling() override;
    // AUTOINCREMENT already counts from the highest id ever written.
    void followIds(const QStringList&) override {}
    QList<TObjectShape> describe() override;
    QString dialect(const QString& script) const override { return script; }

    QSqlDatabase Database() const;

private:
    QString FFileName;
    QString FConnectionName;
    TOpenMode FMode;
    bool FOpen = false;
    bool FReadOnly = false;
};
