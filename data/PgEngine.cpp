#include "data/PgEngine.h"

#include "data/Exception.h"
#include "data/PgRowReader.h"

#include <QDateTime>
#include <QRegularExpression>
#include <QUrl>
#include <libpq-fe.h>

namespace {

// The schema script's type words and the server's, both ways: the script is
// put in the server's dialect with the first column's words replaced by the
// second's, and the server's description is read back into the script's.
struct TTypeWord {
    const char* Script;
    const char* Server;
};
const TTypeWord TypeWords[] = {
    {"INTEGER PRIMARY KEY AUTOINCREMENT", "SERIAL PRIMARY KEY"},
    {"REAL", "DOUBLE PRECISION"},
    {"DATETIME", "TIMESTAMP"},
};
const TTypeWord ServerTypeNames[] = {
    {"INTEGER", "integer"},
    {"REAL", "double precision"},
    {"DATETIME", "timestamp without time zone"},
    {"BOOLEAN", "boolean"},
};

QString scriptType(const QString& serverType) {
    for (const TTypeWord& word : ServerTypeNames)
        if (serverType == QLatin1String(word.Server))
            return QLatin1String(word.Script);
    static const QRegularExpression varchar(QStringLiteral("^character varying\\((\\d+)\\)$"));
    const QRegularExpressionMatch match = varchar.match(serverType);
    return match.hasMatch() ? QStringLiteral("VARCHAR(%1)").arg(match.captured(1)) : serverType.toUpper();
}

// The server's words on one line: libpq adds hints on lines of their own.
QString serverText(const char* text) {
    return QString::fromUtf8(text).simplified();
}

// Named parameters (":name") become the server's numbered ones ("$1"),
// outside quotes and leaving casts ("::") alone.
QString numbered(const QString& sql, const TSqlParams& params, std::vector<TPgEngine::TParam>& values) {
    QString result;
    QChar quote;
    for (qsizetype i = 0; i < sql.size(); ++i) {
        const QChar c = sql[i];
        if (c == u'\'' || c == u'"')
            quote = quote.isNull() ? c : (quote == c ? QChar() : quote);
        const bool named = quote.isNull() && c == u':' && i + 1 < sql.size() &&
                           (sql[i + 1].isLetter() || sql[i + 1] == u'_') && (i == 0 || sql[i - 1] != u':');
        if (!named) {
            result += c;
            continue;
        }
        qsizetype end = i + 1;
        while (end < sql.size() && (sql[end].isLetterOrNumber() || sql[end] == u'_'))
            ++end;
        const QString name = sql.mid(i + 1, end - i - 1);
        QVariant value;
        for (const auto& [paramName, paramValue] : params)
            if (paramName == name)
                value = paramValue;
        values.push_back(TPgEngine::param(value));
        result += QStringLiteral("$%1").arg(values.size());
        i = end - 1;
    }
    return result;
}

QString placeholders(qsizetype count, qsizetype first = 1) {
    QStringList marks;
    for (qsizetype i = 0; i < count; ++i)
        marks << QStringLiteral("$%1").arg(first + i);
    return marks.join(QLatin1String(", "));
}

QString identifiers(const QStringList& names) {
    QStringList quoted;
    for (const QString& name : names)
        quoted << TPgEngine::identifier(name);
    return quoted.join(QLatin1String(", "));
}

std::vector<TPgEngine::TParam> params(const QVariantList& values) {
    std::vector<TPgEngine::TParam> result;
    for (const QVariant& value : values)
        result.push_back(TPgEngine::param(value));
    return result;
}

// libpq takes parameters as C strings, a null pointer for NULL.
std::vector<const char*> pointersOf(const std::vector<TPgEngine::TParam>& params) {
    std::vector<const char*> pointers;
    for (const TPgEngine::TParam& param : params)
        pointers.push_back(param ? param->constData() : nullptr);
    return pointers;
}

QString insertText(const QString& table, const QStringList& columns) {
    return QStringLiteral("INSERT INTO %1 (%2) VALUES (%3) RETURNING id")
        .arg(TPgEngine::identifier(table), identifiers(columns), placeholders(columns.size()));
}

qint64 returnedId(const pg_result* result) {
    return QByteArray(PQgetvalue(result, 0, 0)).toLongLong();
}

class TPgAppender : public TRowAppender {
public:
    TPgAppender(TPgEngine& engine, const QString& table, const QStringList& columns)
        : FEngine(engine), FName(QByteArrayLiteral("zelvora_writer_") + table.toLower().toUtf8()),
          FCount(int(columns.size())) {
        const QByteArray text = insertText(table, columns).toUtf8();
        TPgEngine::TResult result(PQprepare(FEngine.live(), FName.constData(), text.constData(), 0, nullptr),
                                  PQclear);
        if (PQresultStatus(result.get()) != PGRES_COMMAND_OK)
            FEngine.fail(result.get());
    }
    ~TPgAppender() override { PQclear(PQexec(FEngine.live(), ("DEALLOCATE " + FName).constData())); }
    qint64 append(const QVariantList& values) override {
        const std::vector<TPgEngine::TParam> texts = params(values);
        const std::vector<const char*> pointers = pointersOf(texts);
        TPgEngine::TResult result(
            PQexecPrepared(FEngine.live(), FName.constData(), FCount, pointers.data(), nullptr, nullptr, 0),
            PQclear);
        if (PQresultStatus(result.get()) != PGRES_TUPLES_OK)
            FEngine.fail(result.get());
        return returnedId(result.get());
    }

private:
    TPgEngine& FEngine;
    QByteArray FName;
    int FCount;
};

} // namespace

TPgEngine::TPgEngine(QString uri, bool readOnly) : FUri(std::move(uri)), FOnlyReading(readOnly) {}

TPgEngine::~TPgEngine() {
    close();
}

void TPgEngine::open() {
    if (FConn)
        return;
    FConn = PQconnectdb(FUri.toUtf8().constData());
    if (PQstatus(FConn) != CONNECTION_OK) {
        const QString message = serverText(PQerrorMessage(FConn));
        close();
        throw EDatabaseError(message);
    }
    configure();
    const TResult result =
        exec(QStringLiteral("SELECT current_setting('transaction_read_only') = 'on' OR "
                            "NOT COALESCE(has_table_privilege(to_regclass('tblorders'), 'INSERT'), true)"));
    FReadOnly = FOnlyReading || PQgetvalue(result.get(), 0, 0)[0] == 't';
}

// Texts travel as UTF-8, and the program's own warnings stay off the desk's screen.
void TPgEngine::configure() {
    PQsetClientEncoding(FConn, "UTF8");
    exec(QStringLiteral("SET client_min_messages = warning"));
    if (FOnlyReading)
        exec(QStringLiteral("SET default_transaction_read_only = on"));
}

void TPgEngine::close() {
    if (FConn)
        PQfinish(FConn);
    FConn = nullptr;
    FInTransaction = false;
    FReadOnly = false;
}

// The address as a URI without the password; a socket folder stands, encoded,
// where a host name would.
QString TPgEngine::displayName() const {
    if (!FConn)
        return QString(FUri).replace(QRegularExpression(QStringLiteral("(//[^:/@]*):[^@]*@")),
                                     QStringLiteral("\\1@"));
    const auto encoded = [](const char* part) {
        return QString::fromLatin1(QUrl::toPercentEncoding(QString::fromUtf8(part)));
    };
    return QStringLiteral("postgresql://%1@%2:%3/%4")
        .arg(encoded(PQuser(FConn)), encoded(PQhost(FConn)), QString::fromUtf8(PQport(FConn)),
             encoded(PQdb(FConn)));
}

pg_conn* TPgEngine::live() {
    if (!FConn)
        throw EDatabaseError(QStringLiteral("The database is not open"));
    if (PQstatus(FConn) == CONNECTION_BAD && !FInTransaction) {
        PQreset(FConn);
        if (PQstatus(FConn) != CONNECTION_OK)
            throw EDatabaseError(QStringLiteral("Нет связи с сервером базы данных: ") +
                                 serverText(PQerrorMessage(FConn)));
        configure();
    }
    return FConn;
}

void TPgEngine::fail(const pg_result* result) const {
    if (PQstatus(FConn) == CONNECTION_BAD)
        throw EDatabaseError(
            QStringLiteral("Связь с сервером базы данных потеряна, действие не выполнено: ") +
            serverText(PQerrorMessage(FConn)));
    const char* primary = result ? PQresultErrorField(result, PG_DIAG_MESSAGE_PRIMARY) : nullptr;
    throw EDatabaseError(primary ? serverText(primary) : serverText(PQerrorMessage(FConn)));
}

TPgEngine::TParam TPgEngine::param(const QVariant& value) {
    if (!value.isValid() || value.isNull())
        return std::nullopt;
    switch (value.typeId()) {
    case QMetaType::Double:
        return QByteArray::number(value.toDouble(), 'g', 17);
    case QMetaType::Bool:
        return QByteArray(value.toBool() ? "1" : "0");
    case QMetaType::QDateTime:
        return value.toDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz")).toUtf8();
    default:
        return value.toString().toUtf8();
    }
}

QString TPgEngine::identifier(const QString& name) {
    return QLatin1Char('"') + name.toLower() + QLatin1Char('"');
}

TPgEngine::TResult TPgEngine::exec(const QString& sql, const std::vector<TParam>& params, bool binary) {
    PGconn* conn = live();
    const QByteArray text = sql.toUtf8();
    const std::vector<const char*> values = pointersOf(params);
    TResult result(PQexecParams(conn, text.constData(), int(values.size()), nullptr, values.data(), nullptr,
                                nullptr, binary ? 1 : 0),
                   PQclear);
    const ExecStatusType status = PQresultStatus(result.get());
    if (status != PGRES_COMMAND_OK && status != PGRES_TUPLES_OK)
        fail(result.get());
    return result;
}

std::unique_ptr<TRowReader> TPgEngine::select(const QString& sql, const TSqlParams& params) {
    if (params.empty())
        return TPgRowReader::Copy(*this, sql);
    std::vector<TParam> values;
    const QString text = numbered(sql, params, values);
    return TPgRowReader::Result(exec(text, values, true));
}

void TPgEngine::execute(const QStringList& statements) {
    for (const QString& sql : statements)
        exec(sql);
}

void TPgEngine::begin() {
    exec(QStringLiteral("BEGIN"));
    FInTransaction = true;
}

void TPgEngine::commit() {
    exec(QStringLiteral("COMMIT"));
    FInTransaction = false;
}

void TPgEngine::rollback() noexcept {
    if (FConn && PQstatus(FConn) == CONNECTION_OK)
        PQclear(PQexec(FConn, "ROLLBACK"));
    FInTransaction = false;
}

// Another desk's sale of the same flight waits here until this transaction
// ends, and then reads the seats this one left.
void TPgEngine::lockRow(const QString& table, qint64 id) {
    exec(QStringLiteral("SELECT 1 FROM %1 WHERE id = $1 FOR UPDATE").arg(identifier(table)),
         {QByteArray::number(id)});
}

qint64 TPgEngine::insert(const QString& table, const QStringList& columns, const QVariantList& values) {
    return returnedId(exec(insertText(table, columns), params(values)).get());
}

int TPgEngine::update(const QString& table, const QStringList& columns, const QVariantList& values,
                      qint64 id) {
    QStringList sets;
    for (qsizetype i = 0; i < columns.size(); ++i)
        sets << identifier(columns[i]) + QStringLiteral(" = $%1").arg(i + 1);
    const TResult result = exec(QStringLiteral("UPDATE %1 SET %2 WHERE id = $%3")
                                    .arg(identifier(table), sets.join(QLatin1String(", ")))
                                    .arg(columns.size() + 1),
                                params(QVariantList(values) << id));
    return QByteArray(PQcmdTuples(result.get())).toInt();
}

void TPgEngine::remove(const QString& table, qint64 id) {
    exec(QStringLiteral("DELETE FROM %1 WHERE id = $1").arg(identifier(table)), {QByteArray::number(id)});
}

std::unique_ptr<TRowAppender> TPgEngine::appender(const QString& table, const QStringList& columns) {
    return std::make_unique<TPgAppender>(*this, table, columns);
}

void TPgEngine::followIds(const QStringList& tables) {
    for (const QString& table : tables)
        exec(QStringLiteral("SELECT setval(pg_get_serial_sequence('%1', 'id'), COALESCE(max(id), 0) + 1, "
                            "false) FROM %2")
                 .arg(table.toLower(), identifier(table)));
}

QList<TObjectShape> TPgEngine::describe() {
    const TResult result = exec(QStringLiteral(
        "SELECT c.relname, c.relkind, a.attname, format_type(a.atttypid, a.atttypmod), "
        "EXISTS (SELECT 1 FROM pg_index i WHERE i.indrelid = c.oid AND i.indisprimary "
        "AND a.attnum = ANY (i.indkey)) "
        "FROM pg_class c JOIN pg_namespace n ON n.oid = c.relnamespace "
        "JOIN pg_attribute a ON a.attrelid = c.oid AND a.attnum > 0 AND NOT a.attisdropped "
        "WHERE n.nspname = current_schema() AND c.relkind IN ('r', 'v') ORDER BY c.oid, a.attnum"));
    QList<TObjectShape> shapes;
    for (int row = 0; row < PQntuples(result.get()); ++row) {
        const QString name = QString::fromUtf8(PQgetvalue(result.get(), row, 0));
        if (shapes.isEmpty() || shapes.last().Name != name) {
            const bool view = PQgetvalue(result.get(), row, 1)[0] == 'v';
            shapes << TObjectShape{name, view ? QStringLiteral("view") : QStringLiteral("table"), {}, {}};
        }
        shapes.last().Columns << TColumnShape{QString::fromUtf8(PQgetvalue(result.get(), row, 2)),
                                              scriptType(QString::fromUtf8(PQgetvalue(result.get(), row, 3))),
                                              PQgetvalue(result.get(), row, 4)[0] == 't'};
    }
    return shapes;
}

QString TPgEngine::dialect(const QString& script) const {
    QString result = script;
    for (const TTypeWord& word : TypeWords)
        result.replace(QRegularExpression(QStringLiteral("\\b%1\\b").arg(QLatin1String(word.Script))),
                       QLatin1String(word.Server));
    return result;
}
