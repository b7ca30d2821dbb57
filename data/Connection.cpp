#include "data/Connection.h"

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

// The engine opens the file through a URI whose mode forbids creating it, so a
// mistyped or vanished file is an error and never a new empty database.
QString openUri(const QFileInfo& file, bool readOnly) {
    const QString url = QUrl::fromLocalFile(file.absoluteFilePath()).toString(QUrl::FullyEncoded);
    return url + (readOnly ? QStringLiteral("?mode=ro") : QStringLiteral("?mode=rw"));
}

QString engineText(const QSqlError& error) {
    const QString text = error.databaseText().isEmpty() ? error.text() : error.databaseText();
    return text.trimmed();
}

// The engine opens files lazily: only a first read tells a database from any
// other file. WAL lets several programs read and write the file at once.
void prepare(QSqlDatabase& db, bool readOnly, const QString& fileName) {
    QSqlQuery query(db);
    if (!query.exec(QStringLiteral("SELECT count(*) FROM sqlite_master")))
        throw EDatabaseError(engineText(query.lastError()) + QStringLiteral(": ") + fileName);
    if (!readOnly && !query.exec(QStringLiteral("PRAGMA journal_mode=WAL")))
        throw EDatabaseError(engineText(query.lastError()) + QStringLiteral(": ") + fileName);
}

} // namespace

TConnection::TConnection(QString fileName)
    : FFileName(std::move(fileName)), FConnectionName(nextConnectionName()) {}

TConnection::~TConnection() {
    Close();
}

void TConnection::Open() {
    if (FConnected)
        return;
    const QFileInfo file(FFileName);
    const bool readOnly = !mayWrite(file);
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), FConnectionName);
        db.setDatabaseName(openUri(file, readOnly));
        QString options = QStringLiteral("QSQLITE_OPEN_URI;QSQLITE_BUSY_TIMEOUT=%1").arg(BusyTimeoutMs);
        if (readOnly)
            options += QStringLiteral(";QSQLITE_OPEN_READONLY");
        db.setConnectOptions(options);
        try {
            if (!db.open())
                throw EDatabaseError(engineText(db.lastError()) + QStringLiteral(": ") + FFileName);
            prepare(db, readOnly, FFileName);
        } catch (const EDatabaseError&) {
            db.close();
            db = QSqlDatabase();
            QSqlDatabase::removeDatabase(FConnectionName);
            throw;
        }
    }
    FReadOnly = readOnly;
    FConnected = true;
}

void TConnection::Close() {
    if (!FConnected)
        return;
    {
        QSqlDatabase db = QSqlDatabase::database(FConnectionName, false);
        db.close();
    }
    QSqlDatabase::removeDatabase(FConnectionName);
    FConnected = false;
    FReadOnly = false;
}

QSqlDatabase TConnection::Database() const {
    return QSqlDatabase::database(FConnectionName, false);
}
