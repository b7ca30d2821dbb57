#include "report_engine/prepared/ZrpStream.h"

#include "report_engine/base/ReportError.h"

#include <QtEndian>
#include <cmath>
#include <cstring>

namespace {
constexpr qint64 MaxDocument = qint64(1) << 30;
constexpr qint64 Piece = 65536;

[[noreturn]] void cutShort() {
    throw EfrxError(QStringLiteral("the data ends too early"));
}
} // namespace

TZrpDeflater::TZrpDeflater(QIODevice& target) : FTarget(target) {
    deflateInit(&FStream, Z_BEST_SPEED);
    open(QIODevice::WriteOnly);
}

TZrpDeflater::~TZrpDeflater() {
    deflateEnd(&FStream);
}

void TZrpDeflater::finish() {
    pump(nullptr, 0, Z_FINISH);
}

qint64 TZrpDeflater::writeData(const char* data, qint64 size) {
    pump(data, size, Z_NO_FLUSH);
    return size;
}

void TZrpDeflater::pump(const char* data, qint64 size, int flush) {
    FStream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data));
    FStream.avail_in = static_cast<uInt>(size);
    int status = Z_OK;
    do {
        char out[Piece];
        FStream.next_out = reinterpret_cast<Bytef*>(out);
        FStream.avail_out = sizeof out;
        status = deflate(&FStream, flush);
        const qint64 produced = static_cast<qint64>(sizeof out - FStream.avail_out);
        if (produced > 0 && FTarget.write(out, produced) != produced)
            throw EfrxError(
                QStringLiteral("Cannot write the prepared report: %1").arg(FTarget.errorString()));
    } while (FStream.avail_out == 0 || (flush == Z_FINISH && status != Z_STREAM_END));
}

TZrpInflater::TZrpInflater(QIODevice& source) : FSource(source) {
    inflateInit(&FStream);
    open(QIODevice::ReadOnly);
}

TZrpInflater::~TZrpInflater() {
    inflateEnd(&FStream);
}

qint64 TZrpInflater::readData(char* data, qint64 maxSize) {
    if (FFinished || FFailed || maxSize <= 0)
        return 0;
    const uInt wanted = static_cast<uInt>(std::min<qint64>(maxSize, 1 << 20));
    FStream.next_out = reinterpret_cast<Bytef*>(data);
    FStream.avail_out = wanted;
    while (FStream.avail_out == wanted && !FFinished) {
        if (FStream.avail_in == 0) {
            FInput = FSource.read(Piece);
            if (FInput.isEmpty())
                return fail();
            FStream.next_in = reinterpret_cast<Bytef*>(FInput.data());
            FStream.avail_in = static_cast<uInt>(FInput.size());
        }
        const int status = inflate(&FStream, Z_NO_FLUSH);
        if (status == Z_STREAM_END)
            FFinished = true;
        else if (status != Z_OK)
            return fail();
    }
    const qint64 produced = wanted - FStream.avail_out;
    FTotal += produced;
    return FTotal > MaxDocument ? fail() : produced;
}

qint64 TZrpInflater::fail() {
    FFailed = true;
    return 0;
}

void TZrpWriter::longNumber(quint64 value) {
    char groups[10];
    size_t count = 0;
    while (value >= 0x80) {
        groups[count++] = static_cast<char>((value & 0x7F) | 0x80);
        value >>= 7;
    }
    groups[count++] = static_cast<char>(value);
    FBuffer.append(groups, count);
}

void TZrpWriter::real(double value) {
    quint64 bits;
    std::memcpy(&bits, &value, sizeof bits);
    bits = qToLittleEndian(bits);
    FBuffer.append(reinterpret_cast<const char*>(&bits), sizeof bits);
}

void TZrpWriter::bytes(const QByteArray& value) {
    number(static_cast<quint64>(value.size()));
    FBuffer.append(value.constData(), static_cast<size_t>(value.size()));
}

void TZrpWriter::writeTo(QIODevice& device) {
    if (device.write(FBuffer.data(), static_cast<qint64>(FBuffer.size())) !=
        static_cast<qint64>(FBuffer.size()))
        throw EfrxError(QStringLiteral("Cannot write the prepared report: %1").arg(device.errorString()));
    FBuffer.clear(); // keeps the capacity for what follows
}

bool TZrpReader::fill() {
    if (FPosition < FBuffer.size())
        return true;
    FBuffer = FDevice.read(Piece);
    FPosition = 0;
    return !FBuffer.isEmpty();
}

char TZrpReader::next() {
    if (!fill())
        cutShort();
    return FBuffer[FPosition++];
}

bool TZrpReader::atEnd() {
    return !fill();
}

int TZrpReader::number(int limit) {
    quint64 value = 0;
    for (int shift = 0;; shift += 7) {
        const auto group = static_cast<quint8>(next());
        if (shift > 28)
            throw EfrxError(QStringLiteral("a number is too long"));
        value |= static_cast<quint64>(group & 0x7F) << shift;
        if (!(group & 0x80))
            break;
    }
    if (value >= static_cast<quint64>(limit))
        throw EfrxError(QStringLiteral("a number is out of range"));
    return static_cast<int>(value);
}

quint8 TZrpReader::byte() {
    return static_cast<quint8>(next());
}

double TZrpReader::real() {
    char raw[8];
    for (char& c : raw)
        c = next();
    quint64 bits;
    std::memcpy(&bits, raw, sizeof bits);
    bits = qFromLittleEndian(bits);
    double value;
    std::memcpy(&value, &bits, sizeof value);
    if (!std::isfinite(value))
        throw EfrxError(QStringLiteral("a value is not a number"));
    return value;
}

QByteArray TZrpReader::bytes(qint64 limit) {
    qint64 left = number(static_cast<int>(std::min<qint64>(limit, std::numeric_limits<int>::max())));
    QByteArray value;
    while (left > 0) {
        if (!fill())
            cutShort();
        const qsizetype take = static_cast<qsizetype>(std::min<qint64>(left, FBuffer.size() - FPosition));
        value.append(FBuffer.constData() + FPosition, take);
        FPosition += take;
        left -= take;
    }
    return value;
}
