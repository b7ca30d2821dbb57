#pragma once

#include <QSqlDatabase>
#include <QString>

// How a connection opens its file.
enum class TOpenMode {
    Write,    // an existing database, read-only where this process may not write it
    ReadOnly, // an existing database that is only read: nothing in the file changes
    Create,   // a new, empty file being made into a database
};

// The one database connection of the program. Opening never creates a missing
// file, and a file this process may not write is opened read-only, so every
// dataset over it reports that it cannot be modified. Anything but a database
// file (an empty file included) is refused before the engine may touch it.
class TConnection {
public:
    explicit TConnection(QString fileName = QStringLiteral("db.sqlite"), TOpenMode mode = TOpenMode::Write);
    ~TConnection();
    TConnection(const TConnection&) = delete;
    TConnection& operator=(const TConnection&) = delete;

    // Throws EDatabaseError with the engine's text when the file is missing,
    // is not a database, or cannot be read.
    void Open();
    // A connection that wrote moves every change from the write-ahead log into
    // the file itself first, so the file alone holds them all.
    void Close();
    bool Connected() const { return FConnected; }
    bool ReadOnly() const { return FReadOnly; }
    const QString& FileName() const { return FFileName; }
    QSqlDatabase Database() const;

private:
    QString FFileName;
    QString FConnectionName;
    TOpenMode FMode;
    bool FConnected = false;
    bool FReadOnly = false;
};
