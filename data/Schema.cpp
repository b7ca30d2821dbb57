#include "data/Schema.h"

#include "data/Connection.h"
#include "data/Exception.h"
#include "data/SqliteEngine.h"
#include "data/Transaction.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QUuid>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace {

// Statements end at a semicolon outside quotes and comments.
QStringList splitStatements(const QString& script) {
    QStringList statements;
    QString current;
    QChar quote;
    for (qsizetype i = 0; i < script.size(); ++i) {
        const QChar c = script[i];
        if (quote.isNull() && c == u'-' && script.mid(i, 2) == QStringLiteral("--")) {
            const qsizetype end = script.indexOf(u'\n', i);
            i = end < 0 ? script.size() : end;
            current += u'\n';
            continue;
        }
        if (quote.isNull() && c == u';') {
            if (!current.trimmed().isEmpty())
                statements << current.trimmed();
            current.clear();
            continue;
        }
        if (c == u'\'' || c == u'"')
            quote = quote.isNull() ? c : (quote == c ? QChar() : quote);
        current += c;
    }
    if (!current.trimmed().isEmpty())
        statements << current.trimmed();
    return statements;
}

// What a database made by the script looks like, read from a private file.
QList<TObjectShape> referenceShapes() {
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("reference.sqlite"));
    QList<TObjectShape> shapes;
    if (dir.isValid()) {
        TSqliteEngine engine(file, TOpenMode::Create);
        engine.open();
        engine.execute(splitStatements(TSchema::Script()));
        shapes = engine.describe();
    }
    if (shapes.isEmpty())
        throw EDatabaseError(QStringLiteral("The built-in schema could not be read"));
    return shapes;
}

const TObjectShape* findObject(const QList<TObjectShape>& objects, const QString& name) {
    for (const TObjectShape& object : objects)
        if (object.Name.compare(name, Qt::CaseInsensitive) == 0)
            return &object;
    return nullptr;
}

QString normalType(const QString& type) {
    return type.toUpper().remove(u' ');
}

const TColumnShape* findColumn(const QList<TColumnShape>& columns, const QString& name) {
    for (const TColumnShape& column : columns)
        if (column.Name.compare(name, Qt::CaseInsensitive) == 0)
            return &column;
    return nullptr;
}

QString names(const QList<TColumnShape>& columns) {
    QStringList list;
    for (const TColumnShape& column : columns)
        list << column.Name;
    return list.join(QStringLiteral(", "));
}

void compareColumn(const TObjectShape& expected, const TColumnShape& want, const TColumnShape& have,
                   QStringList& differences) {
    const QString where = expected.Name + QStringLiteral(": column ") + want.Name;
    // A view's computed column has no declared type in the reference file,
    // while a server gives every column one: there is nothing to compare.
    if (!want.Type.isEmpty() && normalType(want.Type) != normalType(have.Type))
        differences << where +
                           QStringLiteral(" has type %1, expected %2")
                               .arg(have.Type.isEmpty() ? QStringLiteral("(none)") : have.Type, want.Type);
    if (want.Key != have.Key)
        differences << where + (want.Key ? QStringLiteral(" is not the primary key")
                                         : QStringLiteral(" is a primary key, expected an ordinary column"));
}

void compareColumns(const TObjectShape& expected, const TObjectShape& actual, QStringList& differences) {
    bool sameSet = expected.Columns.size() == actual.Columns.size();
    for (const TColumnShape& want : expected.Columns) {
        const TColumnShape* have = findColumn(actual.Columns, want.Name);
        if (!have) {
            differences << expected.Name + QStringLiteral(": column %1 is missing").arg(want.Name);
            sameSet = false;
        } else {
            compareColumn(expected, want, *have, differences);
        }
    }
    for (const TColumnShape& have : actual.Columns)
        if (!findColumn(expected.Columns, have.Name))
            differences << expected.Name + QStringLiteral(": unexpected column %1").arg(have.Name);
    if (sameSet && names(expected.Columns).compare(names(actual.Columns), Qt::CaseInsensitive) != 0)
        differences << expected.Name + QStringLiteral(": columns are in the order %1; expected %2")
                                           .arg(names(actual.Columns), names(expected.Columns));
}

void compareObject(const QList<TObjectShape>& objects, const TObjectShape& expected,
                   QStringList& differences) {
    const TObjectShape* found = findObject(objects, expected.Name);
    if (!found) {
        differences << QStringLiteral("%1 %2 is missing").arg(expected.Kind, expected.Name);
        return;
    }
    const TObjectShape& actual = *found;
    const QString& kind = actual.Kind;
    if (kind != expected.Kind) {
        differences << QStringLiteral("%1 is a %2, expected a %3").arg(expected.Name, kind, expected.Kind);
        return;
    }
    if (!actual.Error.isEmpty())
        differences << QStringLiteral("%1 %2 cannot be read: %3").arg(kind, expected.Name, actual.Error);
    else
        compareColumns(expected, actual, differences);
}

// A name beside `fileName`, hidden and unused, taken by an empty file of the
// same permissions a new file gets.
QString reserveBeside(const QString& fileName) {
    const QFileInfo target(fileName);
    for (int attempt = 0; attempt < 10; ++attempt) {
        const QString name =
            target.dir().filePath(QStringLiteral(".%1.%2.part")
                                      .arg(target.fileName())
                                      .arg(QUuid::createUuid().toString(QUuid::Id128).left(12)));
        QFile file(name);
        if (file.open(QIODevice::WriteOnly | QIODevice::NewOnly))
            return name;
        if (!file.exists())
            throw EDatabaseError(QStringLiteral("%1: %2").arg(file.errorString(), fileName));
    }
    throw EDatabaseError(QStringLiteral("No free name for a new file beside %1").arg(fileName));
}

// The file is filled without waiting for the disk (it is thrown away on any
// failure), so it is put on the disk once, whole, before it takes its name.
void syncToDisk(const QString& fileName) {
    QFile file(fileName);
    if (!file.open(QIODevice::ReadWrite) || ::fsync(file.handle()) != 0)
        throw EDatabaseError(QStringLiteral("%1: cannot write to the disk").arg(fileName));
}

// Gives the finished file its name in one step, never over a file that took
// the name in the meantime.
void moveIntoPlace(const QString& from, const QString& to) {
    const QByteArray source = QFile::encodeName(from);
    const QByteArray target = QFile::encodeName(to);
    int result = ::renameat2(AT_FDCWD, source.constData(), AT_FDCWD, target.constData(), RENAME_NOREPLACE);
    // A file system that cannot rename without replacing still links without it.
    if (result != 0 && (errno == EINVAL || errno == ENOSYS)) {
        result = ::link(source.constData(), target.constData());
        if (result == 0)
            ::unlink(source.constData());
    }
    if (result != 0)
        throw EDatabaseError(
            errno == EEXIST ? QStringLiteral("File already exists: %1").arg(to)
                            : QStringLiteral("%1: %2").arg(QString::fromLocal8Bit(std::strerror(errno)), to));
}

} // namespace

QString TSchema::Script() {
    QFile file(QStringLiteral(":/schema.sql"));
    if (!file.open(QIODevice::ReadOnly))
        throw EDatabaseError(QStringLiteral("The built-in schema is missing"));
    return QString::fromUtf8(file.readAll());
}

QStringList TSchema::Tables() {
    return {QStringLiteral("tblSotrudnik"), QStringLiteral("tblRoute"), QStringLiteral("tblClients"),
            QStringLiteral("tblCard"),      QStringLiteral("tblAir"),   QStringLiteral("tblFlight"),
            QStringLiteral("tblOrders")};
}

void TSchema::Build(TDatabaseEngine& engine) {
    engine.execute(splitStatements(engine.dialect(Script())));
}

namespace {

// The schema and the rows, in one transaction on a connection being made.
void buildFilled(TConnection& connection, const TSchema::TFill& fill) {
    connection.Engine().fastFilling();
    TTransaction transaction(connection.Engine());
    TSchema::Build(connection.Engine());
    if (fill)
        fill(connection);
    transaction.Commit();
}

// A server's database is made by its administrator; we refuse one that
// already holds any of our tables. A failure rolls everything back.
void createOnServer(const QString& uri, const TSchema::TFill& fill) {
    TConnection connection(uri);
    connection.Open();
    if (!connection.Engine().describe().isEmpty())
        throw EDatabaseError(QStringLiteral("The database already holds tables: %1").arg(uri));
    buildFilled(connection, fill);
}

} // namespace

void TSchema::CreateDatabase(const QString& fileName, const TFill& fill) {
    if (TConnection::IsServerUri(fileName)) {
        createOnServer(fileName, fill);
        return;
    }
    if (QFileInfo(fileName).exists() || QFileInfo(fileName).isSymLink())
        throw EDatabaseError(QStringLiteral("File already exists: %1").arg(fileName));
    const QString part = reserveBeside(fileName);
    try {
        {
            TConnection connection(part, TOpenMode::Create);
            connection.Open();
            buildFilled(connection, fill);
        }
        syncToDisk(part);
        moveIntoPlace(part, fileName);
    } catch (...) {
        RemoveDatabase(part);
        throw;
    }
}

void TSchema::RemoveDatabase(const QString& fileName) {
    for (const QString& suffix :
         {QString(), QStringLiteral("-journal"), QStringLiteral("-wal"), QStringLiteral("-shm")})
        QFile::remove(fileName + suffix);
}

QStringList TSchema::Check(TDatabaseEngine& engine) {
    const QList<TObjectShape> objects = engine.describe();
    QStringList differences;
    for (const TObjectShape& expected : referenceShapes())
        compareObject(objects, expected, differences);
    return differences;
}
