#pragma once

#include <QSqlDatabase>
#include <QString>

// The one database connection of the program. Opening never creates a missing
// file, and a file this process may not write is opened read-only, so every
// dataset over it reports that it cannot be modified.
class TConnection {
public:
    explicit TConnection(QString fileName = QStringLiteral("db.sqlite"));
    ~TConnection();
    TConnection(const TConnection&) = delete;
    TConnection& operator=(const TConnection&) = delete;

    // Throws EDatabaseError with the engine's text when the file is missing,
    // is not a database, or cannot be read.
    void Open();
    void Close();
    bool Connected() const { return FConnected; }
    bool ReadOnly() const { return FReadOnly; }
    const QString& FileName() const { return FFileName; }
    QSqlDatabase Database() const;

private:
    QString FFileName;
    QString FConnectionName;
    bool FConnected = false;
    bool FReadOnly = false;
};
