#include "data/SqliteRowReader.h"

#include "data/Exception.h"

#include <QSqlDriver>
#include <sqlite3.h>

TSqliteRowReader::TSqliteRowReader(const QSqlDatabase& database, const QString& sql) {
    const QVariant handle = database.driver()->handle();
    if (!handle.isValid() || qstrcmp(handle.typeName(), "sqlite3*") != 0) {
        throw EDatabaseError(QStringLiteral("The database connection is not open"));
    }
    FDb = *static_cast<sqlite3* const*>(handle.constData());
    if (sqlite3_prepare16_v2(FDb, sql.utf16(), int(sql.size() * sizeof(char16_t)), &FStatement, nullptr) !=
        SQLITE_OK) {
        fail();
    }
}

TSqliteRowReader::~TSqliteRowReader() {
    sqlite3_finalize(FStatement);
}

void TSqliteRowReader::fail() const {
    throw EDatabaseError(QString::fromUtf8(sqlite3_errmsg(FDb)));
}

void TSqliteRowReader::bind(const QString& name, const QVariant& value) {
    const QByteArray key = (QLatin1Char(':') + name).toUtf8();
    const int index = sqlite3_bind_parameter_index(FStatement, key.constData());
    if (index == 0) {
        return; // a parameter the text does not use
    }
    int rc = SQLITE_OK;
    if (!value.isValid() || value.isNull()) {
        rc = sqlite3_bind_null(FStatement, index);
    } else if (value.userType() == QMetaType::Double) {
        rc = sqlite3_bind_double(FStatement, index, value.toDouble());
    } else if (value.userType() == QMetaType::QString) {
        const QString text = value.toString();
        rc = sqlite3_bind_text16(FStatement, index, text.utf16(), int(text.size() * sizeof(char16_t)),
                                 SQLITE_TRANSIENT);
    } else {
        rc = sqlite3_bind_int64(FStatement, index, value.toLongLong());
    }
    if (rc != SQLITE_OK) {
        fail();
    }
}

bool TSqliteRowReader::step() {
    const int rc = sqlite3_step(FStatement);
    if (rc == SQLITE_ROW) {
        return true;
    }
    if (rc != SQLITE_DONE) {
        fail();
    }
    return false;
}

int TSqliteRowReader::columnCount() const {
    return sqlite3_column_count(FStatement);
}

QString TSqliteRowReader::columnName(int column) const {
    return QString::fromUtf8(sqlite3_column_name(FStatement, column));
}

TRowReader::Kind TSqliteRowReader::kind(int column) const {
    switch (sqlite3_column_type(FStatement, column)) {
    case SQLITE_NULL:
        return Kind::Null;
    case SQLITE_INTEGER:
        return Kind::Integer;
    case SQLITE_FLOAT:
        return Kind::Real;
    default:
        return Kind::Text;
    }
}

qint64 TSqliteRowReader::integer(int column) const {
    return sqlite3_column_int64(FStatement, column);
}

double TSqliteRowReader::real(int column) const {
    return sqlite3_column_double(FStatement, column);
}

QByteArrayView TSqliteRowReader::text(int column) const {
    const auto* data = reinterpret_cast<const char*>(sqlite3_column_text(FStatement, column));
    return QByteArrayView(data, sqlite3_column_bytes(FStatement, column));
}
