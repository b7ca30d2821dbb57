#include "data/PgRowReader.h"

#include "data/Exception.h"
#include "data/RowStore.h"

#include <QtEndian>
#include <cmath>
#include <cstring>
#include <libpq-fe.h>

namespace {

// Type ids of the server's built-in types, which never change.
enum : unsigned {
    BoolOid = 16,
    Int8Oid = 20,
    Int2Oid = 21,
    Int4Oid = 23,
    Float4Oid = 700,
    Float8Oid = 701,
    DateOid = 1082,
    TimestampOid = 1114,
    NumericOid = 1700,
};

template <class T> T bigEndian(const char* data) {
    return qFromBigEndian<T>(data);
}

// The server counts time from 2000-01-01, in microseconds or days.
qint64 serverEpochStamp() {
    static const qint64 epoch = TRowStore::toStamp(QDate(2000, 1, 1), QTime(0, 0));
    return epoch;
}

qint64 floorDiv(qint64 value, qint64 by) {
    return value / by - (value % by != 0 && (value < 0) != (by < 0));
}

// The header of a binary COPY: a signature, flags and an extension area.
constexpr int CopySignatureSize = 11;

} // namespace

TPgRowReader::TPgRowReader(TPgEngine& engine) : FEngine(&engine), FResult(nullptr, PQclear) {}

TPgRowReader::TPgRowReader(TPgEngine::TResult result) : FResult(std::move(result)) {}

TPgRowReader::~TPgRowReader() {
    if (FBuffer)
        PQfreemem(FBuffer);
    // A COPY left half-read is read to its end, so the connection can be used again.
    if (FEngine && !FDone) {
        char* rest = nullptr;
        while (PQgetCopyData(FEngine->live(), &rest, 0) > 0)
            PQfreemem(rest);
        while (PGresult* result = PQgetResult(FEngine->live()))
            PQclear(result);
    }
}

void TPgRowReader::describe(const pg_result* result) {
    const int count = PQnfields(result);
    for (int i = 0; i < count; ++i) {
        FNames << QString::fromUtf8(PQfname(result, i));
        FTypes.push_back(PQftype(result, i));
    }
    FCells.resize(size_t(count));
}

// The columns are learned by describing the statement, then its rows come in
// one binary COPY: a single pass, with no text to parse.
std::unique_ptr<TRowReader> TPgRowReader::Copy(TPgEngine& engine, const QString& sql) {
    std::unique_ptr<TPgRowReader> reader(new TPgRowReader(engine));
    const QByteArray text = sql.toUtf8();
    PGconn* conn = engine.live();
    TPgEngine::TResult prepared(PQprepare(conn, "", text.constData(), 0, nullptr), PQclear);
    if (PQresultStatus(prepared.get()) != PGRES_COMMAND_OK)
        engine.fail(prepared.get());
    TPgEngine::TResult described(PQdescribePrepared(conn, ""), PQclear);
    if (PQresultStatus(described.get()) != PGRES_COMMAND_OK)
        engine.fail(described.get());
    reader->describe(described.get());
    const QByteArray copy = "COPY (" + text + ") TO STDOUT (FORMAT binary)";
    TPgEngine::TResult started(PQexec(conn, copy.constData()), PQclear);
    if (PQresultStatus(started.get()) != PGRES_COPY_OUT)
        engine.fail(started.get());
    return reader;
}

std::unique_ptr<TRowReader> TPgRowReader::Result(TPgEngine::TResult result) {
    std::unique_ptr<TPgRowReader> reader(new TPgRowReader(std::move(result)));
    reader->describe(reader->FResult.get());
    return reader;
}

bool TPgRowReader::step() {
    return FEngine ? stepCopy() : stepResult();
}

bool TPgRowReader::stepResult() {
    if (FRow + 1 >= PQntuples(FResult.get()))
        return false;
    ++FRow;
    for (int c = 0; c < columnCount(); ++c) {
        FCells[size_t(c)] =
            PQgetisnull(FResult.get(), FRow, c)
                ? QByteArrayView()
                : QByteArrayView(PQgetvalue(FResult.get(), FRow, c), PQgetlength(FResult.get(), FRow, c));
    }
    return true;
}

bool TPgRowReader::stepCopy() {
    if (FDone)
        return false;
    if (FBuffer) {
        PQfreemem(FBuffer);
        FBuffer = nullptr;
    }
    PGconn* conn = FEngine->live();
    const int length = PQgetCopyData(conn, &FBuffer, 0);
    if (length < 0) {
        FDone = true;
        TPgEngine::TResult result(PQgetResult(conn), PQclear);
        if (length == -2 || PQresultStatus(result.get()) != PGRES_COMMAND_OK)
            FEngine->fail(result.get());
        while (PGresult* more = PQgetResult(conn))
            PQclear(more);
        return false;
    }
    const char* at = FBuffer;
    const char* end = FBuffer + length;
    if (!FHeaderRead) {
        at += CopySignatureSize + 4;
        at += 4 + bigEndian<qint32>(at);
        FHeaderRead = true;
    }
    const qint16 count = bigEndian<qint16>(at);
    at += 2;
    if (count < 0)
        return stepCopy(); // the trailer; the end of the copy follows
    if (count != columnCount())
        throw EDatabaseError(
            QStringLiteral("The server sent a row of %1 columns, expected %2").arg(count).arg(columnCount()));
    for (int c = 0; c < count; ++c) {
        const qint32 size = bigEndian<qint32>(at);
        at += 4;
        FCells[size_t(c)] = size < 0 ? QByteArrayView() : QByteArrayView(at, size);
        at += std::max(size, 0);
    }
    if (at > end)
        throw EDatabaseError(QStringLiteral("The server sent a damaged row"));
    return true;
}

TRowReader::Kind TPgRowReader::kind(int column) const {
    if (FCells[size_t(column)].data() == nullptr)
        return Kind::Null;
    switch (FTypes[size_t(column)]) {
    case BoolOid:
    case Int2Oid:
    case Int4Oid:
    case Int8Oid:
        return Kind::Integer;
    case Float4Oid:
    case Float8Oid:
    case NumericOid:
        return Kind::Real;
    case DateOid:
    case TimestampOid:
        return Kind::Stamp;
    default:
        return Kind::Text;
    }
}

qint64 TPgRowReader::integer(int column) const {
    const QByteArrayView cell = FCells[size_t(column)];
    switch (FTypes[size_t(column)]) {
    case BoolOid:
        return cell[0] != 0;
    case Int2Oid:
        return bigEndian<qint16>(cell.data());
    case Int4Oid:
        return bigEndian<qint32>(cell.data());
    case Int8Oid:
        return bigEndian<qint64>(cell.data());
    case DateOid:
        return serverEpochStamp() + qint64(bigEndian<qint32>(cell.data())) * 86400000;
    case TimestampOid:
        return serverEpochStamp() + floorDiv(bigEndian<qint64>(cell.data()), 1000);
    default:
        return qint64(real(column));
    }
}

double TPgRowReader::real(int column) const {
    const QByteArrayView cell = FCells[size_t(column)];
    switch (FTypes[size_t(column)]) {
    case Float4Oid: {
        const quint32 bits = bigEndian<quint32>(cell.data());
        float value = 0;
        std::memcpy(&value, &bits, sizeof value);
        return value;
    }
    case Float8Oid: {
        const quint64 bits = bigEndian<quint64>(cell.data());
        double value = 0;
        std::memcpy(&value, &bits, sizeof value);
        return value;
    }
    case NumericOid:
        return numeric(cell);
    default:
        return double(integer(column));
    }
}

// A numeric comes as base-10000 digits with the weight of the first one.
double TPgRowReader::numeric(QByteArrayView cell) const {
    const qint16 digits = bigEndian<qint16>(cell.data());
    const qint16 weight = bigEndian<qint16>(cell.data() + 2);
    const quint16 sign = bigEndian<quint16>(cell.data() + 4);
    if (sign == 0xC000)
        return std::nan("");
    double value = 0;
    for (int i = 0; i < digits; ++i)
        value += bigEndian<qint16>(cell.data() + 8 + 2 * i) * std::pow(10000.0, weight - i);
    return sign == 0x4000 ? -value : value;
}

QByteArrayView TPgRowReader::text(int column) const {
    return FCells[size_t(column)];
}
