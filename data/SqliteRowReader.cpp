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

// The row's cells are taken once per row: each call for a column enters the
// connection's lock, and reading a cell by its column would enter it twice (its
// kind, then its value). The cells stay valid until the next step.
bool TSqliteRowReader::step() {
    const int rc = sqlite3_step(FStatement);
    if (rc == SQLITE_ROW) {
        FCells.resize(size_t(columnCount()));
        for (size_t c = 0; c < FCells.size(); ++c) {
            FCells[c] = sqlite3_column_value(FStatement, int(c));
        }
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
    switch (sqlite3_value_type(FCells[size_t(column)])) {
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
    return sqlite3_value_int64(FCells[size_t(column)]);
}

double TSqliteRowReader::real(int column) const {
    return sqlite3_value_double(FCells[size_t(column)]);
}

QByteArrayView TSqliteRowReader::text(int column) const {
    sqlite3_value* const cell = FCells[size_t(column)];
    const auto* data = reinterpret_cast<const char*>(sqlite3_value_text(cell));
    return QByteArrayView(data, sqlite3_value_bytes(cell));
}
