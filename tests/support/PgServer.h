#pragma once

#include <QString>
#include <QTemporaryDir>
#include <memory>

// A throw-away PostgreSQL cluster of the test program's own: made with initdb
// in a temporary folder, listening only on a Unix socket in that folder, run
// by an unprivileged user (the tests run as root in CI, and the server refuses
// root). Started on first use and stopped when the test program ends, however
// it ends: a watcher stops it should the program die.
class TPgServer {
public:
    // The one server of this test program; null, with the reason in
    // StartError(), when none could be started.
    static TPgServer* Instance();
    static QString StartError();
    // Stops the server, if one was started; the test program's last act.
    static void Shutdown();
    ~TPgServer();

    // A new, empty database on the server; returns its connection URI.
    QString CreateDatabase();
    // The URI of a database on the server, for its superuser or the account given.
    QString Uri(const QString& database, const QString& user = QStringLiteral("postgres"),
                const QString& password = {}) const;
    // Stops the server at once, as a crash or a pulled cable would, and starts it again.
    void Stop();
    void Start();
    const QString& SocketFolder() const { return FFolder; }

    // An account that logs in with a password and has no rights on the tables.
    static constexpr const char* DeskUser = "desk";
    static constexpr const char* DeskPassword = "secret";

private:
    TPgServer() = default;
    void init();
    void allowDeskByPassword();
    QString run(const QStringList& command, bool* ok) const;

    QTemporaryDir FDir;
    QString FFolder;
    QString FData;
    int FDatabases = 0;
};
