#pragma once

#include <QDateTime>
#include <QList>
#include <QProcess>
#include <QString>
#include <QTemporaryDir>

// A print server of the test's own: configuration, spool, logs and its socket in
// a temporary folder, never the system's service. It starts with one cups-pdf
// queue "PDF" as the default printer and CUPS_SERVER pointing at its socket;
// it keeps every job's file as submitted. It stops when the object goes, and
// with the test process should that die first.
class TCupsServer {
public:
    struct TJob {
        int Id = 0;
        QString Title;
        bool Completed = false;
    };

    TCupsServer();
    ~TCupsServer();
    TCupsServer(const TCupsServer&) = delete;
    TCupsServer& operator=(const TCupsServer&) = delete;

    // Empty when the server runs with its queue; else why it does not.
    const QString& error() const { return FError; }
    void stop();
    // Leaves the server up with no printer at all.
    bool removeQueues();

    // Every job the server has seen, oldest first.
    QList<TJob> jobs() const;
    // Waits until the server has handed the job to its printer; false on timeout.
    bool waitUntilDone(int jobId, int seconds = 60) const;
    // The job's document as it was submitted.
    QString jobFile(int jobId) const;

    // lpadmin and friends against this server; false (and error() says why) when one fails.
    bool run(const QString& program, const QStringList& arguments);

private:
    bool start();
    void writeConfiguration();
    void removePrinterOutput(const QList<int>& jobIds) const;

    QTemporaryDir FDir;
    QProcess FDaemon;
    QString FError;
    QByteArray FPreviousServer;
    QDateTime FStarted;
};
