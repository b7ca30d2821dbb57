#include "tests/support/CupsServer.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QThread>
#include <cups/cups.h>
#include <signal.h>
#include <sys/prctl.h>

namespace {
const char* const CupsPdfPpd = "/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd";

void writeFile(const QString& path, const QString& text) {
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.write(text.toUtf8());
}

// The folder cups-pdf writes a job's PDF to: the home of the user who printed.
QStringList printerOutputFolders() {
    return {QDir::home().filePath(QStringLiteral("PDF")), QStringLiteral("/var/spool/cups-pdf/ANONYMOUS")};
}
} // namespace

TCupsServer::TCupsServer() : FPreviousServer(qgetenv("CUPS_SERVER")) {
    if (!FDir.isValid())
        FError = QStringLiteral("no temporary folder");
    else if (!QFileInfo::exists(QStringLiteral("/usr/sbin/cupsd")) ||
             !QFileInfo::exists(QLatin1String(CupsPdfPpd)))
        FError = QStringLiteral("cups and printer-driver-cups-pdf are not installed (scripts/setup)");
    else if (start() &&
             run(QStringLiteral("lpadmin"), {"-p", "PDF", "-E", "-v", "cups-pdf:/", "-P", CupsPdfPpd}))
        run(QStringLiteral("lpadmin"), {"-d", "PDF"});
}

TCupsServer::~TCupsServer() {
    stop();
    if (FPreviousServer.isNull())
        qunsetenv("CUPS_SERVER");
    else
        qputenv("CUPS_SERVER", FPreviousServer);
    cupsSetServer(nullptr);
}

void TCupsServer::writeConfiguration() {
    const QString root = FDir.path();
    for (const char* folder : {"spool", "spool/tmp", "cache", "state", "log"})
        QDir(root).mkpath(QLatin1String(folder));
    // The scheduler's helpers run as lp: they must reach the spool and the socket.
    QFile::setPermissions(root, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner |
                                    QFileDevice::ReadGroup | QFileDevice::ExeGroup | QFileDevice::ReadOther |
                                    QFileDevice::ExeOther);
    writeFile(root + QStringLiteral("/cupsd.conf"),
              QStringLiteral("Listen %1/cups.sock\n"
                             "LogLevel warn\n"
                             "Browsing No\n"
                             "WebInterface No\n"
                             "DefaultAuthType None\n"
                             "PreserveJobFiles Yes\n"
                             "PreserveJobHistory Yes\n"
                             "<Location />\nOrder allow,deny\nAllow all\n</Location>\n"
                             "<Policy default>\n<Limit All>\nOrder deny,allow\n"
                             "</Limit>\n</Policy>\n")
                  .arg(root));
    writeFile(root + QStringLiteral("/cups-files.conf"), QStringLiteral("ServerRoot %1\n"
                                                                        "RequestRoot %1/spool\n"
                                                                        "TempDir %1/spool/tmp\n"
                                                                        "StateDir %1/state\n"
                                                                        "CacheDir %1/cache\n"
                                                                        "ErrorLog %1/log/error_log\n"
                                                                        "AccessLog %1/log/access_log\n"
                                                                        "PageLog %1/log/page_log\n"
                                                                        "ServerBin /usr/lib/cups\n"
                                                                        "DataDir /usr/share/cups\n"
                                                                        "Sandboxing Relaxed\n"
                                                                        "FileDevice No\n")
                                                             .arg(root));
}

bool TCupsServer::start() {
    writeConfiguration();
    const QString root = FDir.path();
    FDaemon.setProgram(QStringLiteral("/usr/sbin/cupsd"));
    FDaemon.setArguments({QStringLiteral("-f"), QStringLiteral("-c"), root + QStringLiteral("/cupsd.conf"),
                          QStringLiteral("-s"), root + QStringLiteral("/cups-files.conf")});
    FDaemon.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    // A test that crashes or is killed takes its server with it.
    FDaemon.setChildProcessModifier([] { prctl(PR_SET_PDEATHSIG, SIGTERM); });
    FDaemon.start();
    if (!FDaemon.waitForStarted()) {
        FError = QStringLiteral("cupsd did not start: %1").arg(FDaemon.errorString());
        return false;
    }
    const QString socket = root + QStringLiteral("/cups.sock");
    qputenv("CUPS_SERVER", QFile::encodeName(socket));
    // The print library keeps the server it first reached; a second server in the
    // same test program must be named to it.
    cupsSetServer(QFile::encodeName(socket).constData());
    FStarted = QDateTime::currentDateTime();
    QElapsedTimer waited;
    waited.start();
    while (waited.elapsed() < 20000) {
        if (FDaemon.state() != QProcess::Running) {
            FError = QStringLiteral("cupsd stopped at once; see %1/log/error_log").arg(root);
            return false;
        }
        if (QFileInfo::exists(socket) && run(QStringLiteral("lpstat"), {QStringLiteral("-r")}))
            return true;
        QThread::msleep(50);
    }
    FError = QStringLiteral("cupsd did not answer on %1").arg(socket);
    return false;
}

void TCupsServer::stop() {
    if (FDaemon.state() == QProcess::NotRunning)
        return;
    QList<int> jobIds;
    for (const TJob& job : jobs())
        jobIds.append(job.Id);
    FDaemon.terminate();
    if (!FDaemon.waitForFinished(10000)) {
        FDaemon.kill();
        FDaemon.waitForFinished();
    }
    removePrinterOutput(jobIds);
}

bool TCupsServer::run(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(30000) || process.exitStatus() != QProcess::NormalExit ||
        process.exitCode() != 0) {
        FError = QStringLiteral("%1 %2 failed: %3")
                     .arg(program, arguments.join(QLatin1Char(' ')),
                          QString::fromLocal8Bit(process.readAllStandardError()));
        return false;
    }
    return true;
}

bool TCupsServer::removeQueues() {
    return run(QStringLiteral("lpadmin"), {QStringLiteral("-x"), QStringLiteral("PDF")});
}

QList<TCupsServer::TJob> TCupsServer::jobs() const {
    cups_job_t* found = nullptr;
    const int count = cupsGetJobs2(CUPS_HTTP_DEFAULT, &found, nullptr, 0, CUPS_WHICHJOBS_ALL);
    QList<TJob> list;
    for (int i = 0; i < count; ++i)
        list.append({found[i].id, QString::fromUtf8(found[i].title), found[i].state == IPP_JSTATE_COMPLETED});
    cupsFreeJobs(count, found);
    std::sort(list.begin(), list.end(), [](const TJob& a, const TJob& b) { return a.Id < b.Id; });
    return list;
}

bool TCupsServer::waitUntilDone(int jobId, int seconds) const {
    QElapsedTimer waited;
    waited.start();
    while (waited.elapsed() < seconds * 1000) {
        for (const TJob& job : jobs())
            if (job.Id == jobId && job.Completed)
                return true;
        QThread::msleep(100);
    }
    return false;
}

QString TCupsServer::jobFile(int jobId) const {
    return QStringLiteral("%1/spool/d%2-001").arg(FDir.path()).arg(jobId, 5, 10, QLatin1Char('0'));
}

// cups-pdf writes outside our folder, each job to "<title>-job_<number>.pdf";
// take back what this server's jobs left there.
void TCupsServer::removePrinterOutput(const QList<int>& jobIds) const {
    for (const QString& folder : printerOutputFolders())
        for (int id : jobIds)
            for (const QFileInfo& file :
                 QDir(folder).entryInfoList({QStringLiteral("*-job_%1.pdf").arg(id)}, QDir::Files))
                if (file.lastModified() >= FStarted)
                    QFile::remove(file.filePath());
}
