#include "tests/support/PgServer.h"

#include "data/Connection.h"
#include "data/Exception.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QUrl>
#include <cstdlib>
#include <grp.h>
#include <pwd.h>
#include <stdexcept>
#include <unistd.h>

namespace {

const QString BinDir = QStringLiteral("/usr/lib/postgresql/15/bin/");
// The account the server runs under when the tests run as root.
const char* const ServerUser = "postgres";

QString startError;
std::unique_ptr<TPgServer> server;
bool tried = false;

// Gives the folder to the server's account, which alone may run it.
bool handOver(const QString& path) {
    if (::geteuid() != 0)
        return true;
    const passwd* user = ::getpwnam(ServerUser);
    return user && ::chown(QFile::encodeName(path).constData(), user->pw_uid, user->pw_gid) == 0;
}

[[noreturn]] void fail(const QString& why) {
    throw std::runtime_error(why.toStdString());
}

} // namespace

TPgServer* TPgServer::Instance() {
    if (!tried) {
        tried = true;
        std::unique_ptr<TPgServer> made(new TPgServer());
        try {
            made->init();
            server = std::move(made);
        } catch (const std::runtime_error& error) {
            startError = QString::fromUtf8(error.what());
        }
    }
    return server.get();
}

void TPgServer::Shutdown() {
    server.reset();
}

QString TPgServer::StartError() {
    return startError;
}

QString TPgServer::run(const QStringList& command, bool* ok) const {
    QProcess process;
    QStringList arguments = command;
    QString program = arguments.takeFirst();
    if (::geteuid() == 0) {
        arguments = QStringList{QStringLiteral("-u"), QString::fromLatin1(ServerUser), QStringLiteral("--"),
                                program} +
                    arguments;
        program = QStringLiteral("runuser");
    }
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, arguments);
    *ok = process.waitForFinished(60000) && process.exitStatus() == QProcess::NormalExit &&
          process.exitCode() == 0;
    return QString::fromLocal8Bit(process.readAll());
}

void TPgServer::init() {
    if (!FDir.isValid())
        fail(QStringLiteral("no temporary folder"));
    FFolder = FDir.path();
    FData = FFolder + QStringLiteral("/data");
    if (::geteuid() == 0 && !::getpwnam(ServerUser))
        fail(QStringLiteral("no unprivileged account '%1' to run the server").arg(QLatin1String(ServerUser)));
    if (!handOver(FFolder))
        fail(QStringLiteral("cannot give %1 to the server's account").arg(FFolder));
    bool ok = false;
    const QString output =
        run({BinDir + QStringLiteral("initdb"), QStringLiteral("-D"), FData, QStringLiteral("-U"),
             QStringLiteral("postgres"), QStringLiteral("--auth=trust"), QStringLiteral("-E"),
             QStringLiteral("UTF8"), QStringLiteral("--no-sync"), QStringLiteral("--locale=C.UTF-8")},
            &ok);
    if (!ok)
        fail(QStringLiteral("initdb failed: ") + output);
    allowDeskByPassword();
    Start();
    try {
        TConnection admin(Uri(QStringLiteral("postgres")));
        admin.Open();
        admin.Engine().execute({QStringLiteral("CREATE ROLE %1 LOGIN PASSWORD '%2'")
                                    .arg(QLatin1String(DeskUser), QLatin1String(DeskPassword))});
    } catch (const EDatabaseError& error) {
        fail(error.Message());
    }
    // Should this program die, the watcher stops the server and nothing stays running.
    QProcess::startDetached(
        QStringLiteral("sh"),
        {QStringLiteral("-c"),
         QStringLiteral("while kill -0 %1 2>/dev/null; do sleep 1; done; "
                        "%2 pg_ctl stop -D %3 -m immediate >/dev/null 2>&1; rm -rf %4")
             .arg(::getpid())
             .arg(::geteuid() == 0 ? QStringLiteral("runuser -u postgres -- ") + BinDir : BinDir, FData,
                  FFolder)});
}

// Every account is trusted on the socket, but the desk's account, which must
// give its password as a desk of the office would.
void TPgServer::allowDeskByPassword() {
    QFile rules(FData + QStringLiteral("/pg_hba.conf"));
    if (!rules.open(QIODevice::WriteOnly | QIODevice::Truncate))
        fail(QStringLiteral("cannot write ") + rules.fileName());
    rules.write(QStringLiteral("local all %1 scram-sha-256\nlocal all all trust\n")
                    .arg(QLatin1String(DeskUser))
                    .toUtf8());
}

void TPgServer::Start() {
    bool ok = false;
    const QString options =
        QStringLiteral("-c listen_addresses='' -k %1 -c fsync=off -c synchronous_commit=off "
                       "-c full_page_writes=off -c max_connections=40")
            .arg(FFolder);
    const QString output = run({BinDir + QStringLiteral("pg_ctl"), QStringLiteral("start"),
                                QStringLiteral("-w"), QStringLiteral("-D"), FData, QStringLiteral("-l"),
                                FFolder + QStringLiteral("/log"), QStringLiteral("-o"), options},
                               &ok);
    if (!ok)
        fail(QStringLiteral("the server did not start: ") + output);
}

void TPgServer::Stop() {
    bool ok = false;
    run({BinDir + QStringLiteral("pg_ctl"), QStringLiteral("stop"), QStringLiteral("-w"),
         QStringLiteral("-D"), FData, QStringLiteral("-m"), QStringLiteral("immediate")},
        &ok);
}

TPgServer::~TPgServer() {
    Stop();
}

QString TPgServer::Uri(const QString& database, const QString& user, const QString& password) const {
    const QString login = password.isEmpty() ? user : user + QLatin1Char(':') + password;
    return QStringLiteral("postgresql://%1@%2/%3")
        .arg(login, QString::fromLatin1(QUrl::toPercentEncoding(FFolder)), database);
}

QString TPgServer::CreateDatabase() {
    const QString name = QStringLiteral("office%1").arg(++FDatabases);
    bool ok = false;
    const QString output = run({BinDir + QStringLiteral("createdb"), QStringLiteral("-h"), FFolder,
                                QStringLiteral("-U"), QStringLiteral("postgres"), name},
                               &ok);
    if (!ok)
        fail(QStringLiteral("createdb failed: ") + output);
    return Uri(name);
}
