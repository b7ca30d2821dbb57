#include "data/Connection.h"

#include "data/EngineError.h"
#include "data/Exception.h"

#include <QAtomicInt>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>
#include <QUrl>

#include <sys/stat.h>
#include <unistd.h>

namespace {

// A second process on the same file waits this long for a lock before giving up.
constexpr int BusyTimeoutMs = 5000;

QString nextConnectionName() {
    static QAtomicInt counter;
    return QStringLiteral("zelvora-%1").arg(counter.fetchAndAddRelaxed(1));
}

// Whether this process may change the file. The permission check alone never
// refuses the superuser, so a file without any write permission bit is taken as
// read-only for everyone, the way a read-only file attribute is meant. The
// directory must take the journal files written beside the database.
bool mayWrite(const QFileInfo& file) {
    const QByteArray path = QFile::encodeName(file.absoluteFilePath());
    struct stat status {};
    if (::stat(path.constData(), &status) != 0 || (status.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0)
        return false;
    const QByteArray directory = QFile::encodeName(file.absolutePath());
    return ::access(path.constData(), W_OK) == 0 && ::access(directory.constData(), W_OK | X_OK) == 0;
}

// The engine takes an empty file for an empty database and would write a new
// one into it, so only a file that starts as every database file does is
// handed to it.
bool hasDatabaseHeader(const QFileInfo& file) {
    static const QByteArray header("SQLite format 3", 16); // with its closing zero
    QFile content(file.absoluteFilePath());
    return content.open(QIODevice::ReadOnly) && content.read(header.size()) == header;
}

// The engine opens the file through a URI whose mode forbids creating it, so a
// mistyped or vanished file is an error and never a new empty database.
QString openUri(const QFileInfo& file, bool readOnly, bool create) {
    const QString url = QUrl::fromLocalFile(file.absoluteFilePath()).toString(QUrl::FullyEncoded);
    if (create)
        return url + QStringLiteral("?mode=rwc");
    return url + (readOnly ? QStringLiteral("?mode=ro") : QStringLiteral("?mode=rw"));
}

// The engine opens files lazily: only a first read tells a database from any
// other file.
QSqlError openAndRead(QSqlDatabase& db, const QString& uri) {
    db.close();
    db.setDatabaseName(uri);
    if (!db.open())
        return db.lastError();
    QSqlQuery query(db);
    if (!query.exec(QStringLiteral("SELECT count(*) FROM sqlite_master")))
        return query.lastError();
    return {};
}

// A WAL database keeps a shared index file beside it; when we may neither
// write that index nor create it in the folder, the engine refuses even to read.
bool sharedIndexRefused(const QSqlError& error) {
    const QString code = error.nativeErrorCode();
    return code == QStringLiteral("1544") || code == QStringLiteral("1288"); // READONLY_DIRECTORY, _CANTINIT
}

QSqlError openDatabase(QSqlDatabase& db, const QFileInfo& file, bool readOnly, TOpenMode mode) {
    const QString uri = openUri(file, readOnly, mode == TOpenMode::Create);
    QSqlError error = openAndRead(db, uri);
    // Read as a file nobody changes, which is what it is for us: we see what was
    // last written into the file itself, which beats not seeing it at all.
    if (readOnly && sharedIndexRefused(error))
        error = openAndRead(db, uri + QStringLiteral("&immutable=1"));
    // A file being made keeps the plain journal until it is whole; a reading
    // tool leaves the journal mode as it found it.
    if (error.type() != QSqlError::NoError || readOnly || mode == TOpenMode::Create)
        return error;
    // WAL lets several programs read and write the file at once.
    QSqlQuery query(db);
    return query.exec(QStringLiteral("PRAGMA journal_mode=WAL")) ? QSqlError() : query.lastError();
}

} // namespace

TConnection::TConnection(QString fileName, TOpenMode mode)
    : FFileName(std::move(fileName)), FConnectionName(nextConnectionName()), FMode(mode) {}

TConnection::~TConnection() {
    Close();
}

void TConnection::Open() {
    if (FConnected)
        return;
    const QFileInfo file(FFileName);
    if (FMode != TOpenMode::Create && file.exists() && !hasDatabaseHeader(file))
        throw EDatabaseError(QStringLiteral("file is not a database: ") + FFileName);
    const bool readOnly = FMode == TOpenMode::ReadOnly || (FMode == TOpenMode::Write && !mayWrite(file));
    QSqlError error;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), FConnectionName);
        QString options = QStringLiteral("QSQLITE_OPEN_URI;QSQLITE_BUSY_TIMEOUT=%1").arg(BusyTimeoutMs);
        if (readOnly)
            options += QStringLiteral(";QSQLITE_OPEN_READONLY");
        db.setConnectOptions(options);
        error = openDatabase(db, file, readOnly, FMode);
        if (error.type() != QSqlError::NoError)
            db.close();
    }
    if (error.type() != QSqlError::NoError) {
        QSqlDatabase::removeDatabase(FConnectionName);
        throw EDatabaseError(EngineErrorText(error) + QStringLiteral(": ") + FFileName);
    }
    FReadOnly = readOnly;
    FConnected = true;
}

void TConnection::Close() {
    if (!FConnected)
        return;
    {
        QSqlDatabase db = QSqlDatabase::database(FConnectionName, false);
        // The engine does the same when the last connection to the file closes;
        // with another program still reading, the log is only emptied here. A
        // refusal (that program is in the middle of a read) leaves the log for
        // the last one to close, which is the engine's own rule.
        if (!FReadOnly)
            QSqlQuery(db).exec(QStringLiteral("PRAGMA wal_checkpoint(TRUNCATE)"));
        db.close();
    }
    QSqlDatabase::removeDatabase(FConnectionName);
    FConnected = false;
    FReadOnly = false;
}

QSqlDatabase TConnection::Database() const {
    return QSqlDatabase::database(FConnectionName, false);
}
