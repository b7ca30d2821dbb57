#pragma once

#include "data/DatabaseEngine.h"

#include <QSqlDatabase>
#include <QString>
#include <memory>

// How a connection opens its database.
enum class TOpenMode {
    Write,    // an existing database, read-only where this process may not write it
    ReadOnly, // an existing database that is only read: nothing in it changes
    Create,   // a new, empty file being made into a database
};

// The one database connection of the program, over the engine its name
// chooses: a PostgreSQL URI ("postgresql://user@host:port/dbname") reaches a
// server that several desks share; anything else names a database file.
class TConnection {
public:
    explicit TConnection(QString name = QStringLiteral("db.sqlite"), TOpenMode mode = TOpenMode::Write);
    ~TConnection();
    TConnection(const TConnection&) = delete;
    TConnection& operator=(const TConnection&) = delete;

    static bool IsServerUri(const QString& name);

    // Throws EDatabaseError with the engine's text when the database cannot be
    // reached or read.
    void Open();
    // A connection that wrote a file moves every change from the write-ahead
    // log into the file itself first, so the file alone holds them all.
    void Close();
    bool Connected() const { return FConnected; }
    bool ReadOnly() const { return FConnected && FEngine->readOnly(); }
    bool IsServer() const { return IsServerUri(FName); }
    // The name the connection was given: a file name or a URI.
    const QString& FileName() const { return FName; }
    // What the user is told is open.
    QString DisplayName() const { return FEngine->displayName(); }
    TDatabaseEngine& Engine() const { return *FEngine; }
    // The file engine's own connection, for tools and tests that speak to the
    // file directly; invalid on a server.
    QSqlDatabase Database() const;

private:
    QString FName;
    std::unique_ptr<TDatabaseEngine> FEngine;
    bool FConnected = false;
};
