#include "report_engine/export/pdf/PDFDeflate.h"

#include "report_engine/base/ReportError.h"

#include <vector>
#include <zlib.h>

namespace {
constexpr qsizetype ReaderRead = 10240;
constexpr uInt ReaderBuffer = 65536;

// Deflated in one go, or with a sync flush (an empty stored block) after the
// first `flushAfter` bytes.
QByteArray deflated(QByteArrayView data, qsizetype flushAfter) {
    z_stream stream{};
    if (deflateInit(&stream, Z_BEST_SPEED) != Z_OK)
        throw EfrxError(QStringLiteral("The compressor could not be started"));
    QByteArray out(static_cast<qsizetype>(deflateBound(&stream, static_cast<uLong>(data.size()))) + 16,
                   Qt::Uninitialized);
    stream.next_out = reinterpret_cast<Bytef*>(out.data());
    stream.avail_out = static_cast<uInt>(out.size());
    const auto feed = [&stream, data](qsizetype from, qsizetype to, int flush) {
        stream.next_in = const_cast<Bytef*>(reinterpret_cast<const Bytef*>(data.data() + from));
        stream.avail_in = static_cast<uInt>(to - from);
        return deflate(&stream, flush);
    };
    if (flushAfter > 0)
        feed(0, flushAfter, Z_SYNC_FLUSH);
    const int status = feed(flushAfter, data.size(), Z_FINISH);
    out.resize(static_cast<qsizetype>(stream.total_out));
    deflateEnd(&stream);
    if (status != Z_STREAM_END)
        throw EfrxError(QStringLiteral("A stream of the PDF file could not be compressed"));
    return out;
}
} // namespace

bool frxStallsReadersBuffer(QByteArrayView deflated) {
    if (deflated.size() <= ReaderRead)
        return false;
    z_stream stream{};
    if (inflateInit(&stream) != Z_OK)
        throw EfrxError(QStringLiteral("The decompressor could not be started"));
    std::vector<Bytef> buffer(ReaderBuffer);
    int status = Z_OK;
    for (qsizetype at = 0; at + ReaderRead < deflated.size() && status == Z_OK; at += ReaderRead) {
        stream.next_in = const_cast<Bytef*>(reinterpret_cast<const Bytef*>(deflated.data() + at));
        stream.avail_in = static_cast<uInt>(ReaderRead);
        do {
            stream.next_out = buffer.data();
            stream.avail_out = ReaderBuffer;
            status = inflate(&stream, Z_SYNC_FLUSH);
        } while (status == Z_OK && (stream.avail_in > 0 || stream.avail_out == 0));
    }
    inflateEnd(&stream);
    return status == Z_BUF_ERROR;
}

QByteArray frxDeflatePdfStream(QByteArrayView data) {
    QByteArray out = deflated(data, 0);
    // A handful of tries: each flush point moves the reads' ends by other amounts.
    for (qsizetype flushAfter = 1; flushAfter <= 8 && flushAfter < data.size() && frxStallsReadersBuffer(out);
         ++flushAfter)
        out = deflated(data, flushAfter);
    return out;
}
