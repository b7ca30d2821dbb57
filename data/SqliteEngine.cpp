#include "data/SqliteEngine.h"

#include "data/EngineError.h"
#include "data/Exception.h"
#include "data/Schema.h"
#include "data/SqliteRowReader.h"

#include <QAtomicInt>
#include <QFile>
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

QString quotedName(const QString& name) {
    return QLatin1Char('"') + name + QLatin1Char('"');
}

QString quotedNames(const QStringList& names) {
    QStringList quoted;
    for (const QString& name : names)
        quoted << quotedName(name);
    return quoted.join(QLatin1String(", "));
}

QString insertText(const QString& table, const QStringList& columns) {
    return QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
        .arg(quotedName(table), quotedNames(columns),
             QStringList(columns.size(), QStringLiteral("?")).join(u','));
}

void exec(QSqlQuery& query, const QString& sql) {
    if (!query.exec(sql))
        throw EDatabaseError(EngineErrorText(query.lastError()));
}

// Binds the values in order and runs the prepared statement. Date-times are
// kept in the file as ISO text.
void run(QSqlQuery& query, const QVariantList& values) {
    for (qsizetype i = 0; i < values.size(); ++i)
        query.bindValue(int(i), values[i].typeId() == QMetaType::QDateTime
                                    ? QVariant(TSchema::StoredText(values[i].toDateTime()))
                                    : values[i]);
    if (!query.exec())
        throw EDatabaseError(EngineErrorText(query.lastError()));
}

void prepare(QSqlQuery& query, const QString& sql) {
    if (!query.prepare(sql))
        throw EDatabaseError(EngineErrorText(query.lastError()));
}

class TSqliteAppender : public TRowAppender {
public:
    TSqliteAppender(const QSqlDatabase& db, const QString& table, const QStringList& columns)
        : FQuery(db), FTable(table) {
        FQuery.setForwardOnly(true);
        try {
            prepare(FQuery, insertText(table, columns));
        } catch (const EDatabaseError& error) {
            throw EDatabaseError(FTable + QStringLiteral(": ") + error.Message());
        }
    }
    qint64 append(const QVariantList& values) override {
        try {
            run(FQuery, values);
        } catch (const EDatabaseError& error) {
            throw EDatabaseError(FTable + QStringLiteral(": ") + error.Message());
        }
        return FQuery.lastInsertId().toLongLong();
    }

private:
    QSqlQuery FQuery;
    QString FTable;
};

TObjectShape describeObject(const QSqlDatabase& db, const QString& name, const QString& kind) {
    TObjectShape shape{name, kind, {}, {}};
    QSqlQuery query(db);
    if (!query.exec(QStringLiteral("PRAGMA table_info(\"%1\")").arg(name))) {
        shape.Error = EngineErrorText(query.lastError());
        return shape;
    }
    while (query.next())
        shape.Columns << TColumnShape{query.value(1).toString(), query.value(2).toString(),
                                      query.value(5).toInt() > 0};
    return shape;
}

} // namespace

TSqliteEngine::TSqliteEngine(QString fileName, TOpenMode mode)
    : FFileName(std::move(fileName)), FConnectionName(nextConnectionName()), FMode(mode) {}

TSqliteEngine::~TSqliteEngine() {
    close();
}

void TSqliteEngine::open() {
    if (FOpen)
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
    FOpen = true;
}

void TSqliteEngine::close() {
    if (!FOpen)
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
    FOpen = false;
    FReadOnly = false;
}

QString TSqliteEngine::displayName() const {
    return QFileInfo(FFileName).absoluteFilePath();
}

QSqlDatabase TSqliteEngine::Database() const {
    return QSqlDatabase::database(FConnectionName, false);
}

std::unique_ptr<TRowReader> TSqliteEngine::select(const QString& sql, const TSqlParams& params) {
    auto statement = std::make_unique<TSqliteRowReader>(Database(), sql);
    for (const auto& [name, value] : params)
        statement->bind(name, value);
    return statement;
}

void TSqliteEngine::execute(const QStringList& statements) {
    QSqlQuery query(Database());
    for (const QString& sql : statements)
        exec(query, sql);
}

// The write lock is taken at once, so that what is read in the transaction is
// still true when it commits.
void TSqliteEngine::begin() {
    QSqlQuery query(Database());
    exec(query, QStringLiteral("BEGIN IMMEDIATE"));
}

void TSqliteEngine::commit() {
    QSqlQuery query(Database());
    exec(query, QStringLiteral("COMMIT"));
}

void TSqliteEngine::rollback() noexcept {
    QSqlQuery(Database()).exec(QStringLiteral("ROLLBACK"));
}

qint64 TSqliteEngine::insert(const QString& table, const QStringList& columns, const QVariantList& values) {
    QSqlQuery query(Database());
    prepare(query, insertText(table, columns));
    run(query, values);
    return query.lastInsertId().toLongLong();
}

int TSqliteEngine::update(const QString& table, const QStringList& columns, const QVariantList& values,
                          qint64 id) {
    QSqlQuery query(Database());
    QStringList sets;
    for (const QString& column : columns)
        sets << quotedName(column) + QStringLiteral(" = ?");
    prepare(query, QStringLiteral("UPDATE %1 SET %2 WHERE id = ?").arg(quotedName(table), sets.join(u',')));
    run(query, QVariantList(values) << id);
    return query.numRowsAffected();
}

void TSqliteEngine::remove(const QString& table, qint64 id) {
    QSqlQuery query(Database());
    prepare(query, QStringLiteral("DELETE FROM %1 WHERE id = ?").arg(quotedName(table)));
    run(query, {id});
}

// A large page cache keeps the growing indexes in memory.
void TSqliteEngine::fastFilling() {
    execute({QStringLiteral("PRAGMA synchronous = OFF"), QStringLiteral("PRAGMA cache_size = -262144")});
}

std::unique_ptr<TRowAppender> TSqliteEngine::appender(const QString& table, const QStringList& columns) {
    return std::make_unique<TSqliteAppender>(Database(), table, columns);
}

QList<TObjectShape> TSqliteEngine::describe() {
    QSqlQuery query(Database());
    exec(query, QStringLiteral("SELECT name, type FROM sqlite_master WHERE type IN ('table', 'view') "
                               "AND name NOT LIKE 'sqlite\\_%' ESCAPE '\\' ORDER BY rowid"));
    QList<TObjectShape> shapes;
    while (query.next())
        shapes << describeObject(Database(), query.value(0).toString(), query.value(1).toString());
    return shapes;
}
