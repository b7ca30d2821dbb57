#include "report_engine/export/pdf/PDFDeflate.h"
#include "PdfReaders.h"
#include "report_engine/export/pdf/PDFExport.h"
#include "tests/support/ReportFixture.h"

#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <optional>
#include <zlib.h>

namespace {
// A page's worth of content operators, different for each seed.
QByteArray pageContent(quint32 seed) {
    QByteArray content;
    for (int row = 0; content.size() < 90000; ++row) {
        seed = seed * 1664525u + 1013904223u;
        content += "q\r\n" + QByteArray::number(40 + row % 7 * 110.25, 'f', 2) + ' ' +
                   QByteArray::number(500 - row % 25 * 18.5, 'f', 2) +
                   " 72.37 15.67 re\r\nW\r\nn\r\n/F0 10 Tf\r\n"
                   "0 0 0 rg\r\nBT\r\n" +
                   QByteArray::number(seed % 90000 / 100.0, 'f', 2) + " 551.02 Td\r\n<" +
                   QByteArray::number(seed, 16).toUpper().rightJustified(16, '0') + "> Tj\r\nET\r\nQ\r\n";
    }
    return content;
}

QByteArray plainDeflate(const QByteArray& data) {
    uLongf size = compressBound(static_cast<uLong>(data.size()));
    QByteArray out(static_cast<qsizetype>(size), Qt::Uninitialized);
    compress2(reinterpret_cast<Bytef*>(out.data()), &size, reinterpret_cast<const Bytef*>(data.constData()),
              static_cast<uLong>(data.size()), Z_BEST_SPEED);
    out.resize(static_cast<qsizetype>(size));
    return out;
}

QByteArray inflated(const QByteArray& data) {
    uLongf size = 1 << 20;
    QByteArray out(static_cast<qsizetype>(size), Qt::Uninitialized);
    EXPECT_EQ(uncompress(reinterpret_cast<Bytef*>(out.data()), &size,
                         reinterpret_cast<const Bytef*>(data.constData()), static_cast<uLong>(data.size())),
              Z_OK);
    out.resize(static_cast<qsizetype>(size));
    return out;
}

// A one-page file whose page content is the given deflated stream.
QByteArray onePageFile(const QByteArray& stream) {
    const QByteArray objects[] = {
        "<< /Type /Catalog /Pages 2 0 R >>", "<< /Type /Pages /Kids [3 0 R] /Count 1 >>",
        "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 842 595] /Contents 4 0 R /Resources << >> >>",
        "<</Length " + QByteArray::number(stream.size()) + "/Filter/FlateDecode>>\r\nstream\r\n" + stream +
            "\nendstream"};
    QByteArray file = "%PDF-1.5\r\n";
    QByteArray xref = "xref\r\n0 5\r\n0000000000 65535 f\r\n";
    for (int i = 0; i < 4; ++i) {
        xref += QByteArray::number(file.size()).rightJustified(10, '0') + " 00000 n\r\n";
        file += QByteArray::number(i + 1) + " 0 obj\r\n" + objects[i] + "\r\nendobj\r\n";
    }
    const QByteArray start = QByteArray::number(file.size());
    return file + xref + "trailer\r\n<< /Size 5 /Root 1 0 R >>\r\nstartxref\r\n" + start + "\r\n%%EOF\r\n";
}
} // namespace

// Some pages, deflated plainly, end one of a reader's reads exactly where its
// buffer fills, and that reader takes the stream for damaged; written by the
// export, the same pages inflate to the same bytes and the reader takes them.
TEST(PDFDeflate, StreamsNeverStallAReadersBuffer) {
    std::optional<QByteArray> stalling;
    for (quint32 seed = 1; seed < 20000 && !stalling; ++seed) {
        const QByteArray content = pageContent(seed);
        if (frxStallsReadersBuffer(plainDeflate(content)))
            stalling = content;
    }
    ASSERT_TRUE(stalling) << "no page of the kind that stalls a reader";
    const QByteArray written = frxDeflatePdfStream(*stalling);
    EXPECT_FALSE(frxStallsReadersBuffer(written));
    EXPECT_EQ(inflated(written), *stalling);
    const QByteArray plain = pageContent(0);
    ASSERT_FALSE(frxStallsReadersBuffer(plainDeflate(plain)));
    EXPECT_EQ(frxDeflatePdfStream(plain), plainDeflate(plain)) << "a stream that does not stall is as before";

    const QString qpdf = QStandardPaths::findExecutable(QStringLiteral("qpdf"));
    if (qpdf.isEmpty())
        GTEST_SKIP() << "qpdf is not installed";
    QTemporaryDir dir;
    const auto checked = [&](const QString& name, const QByteArray& stream) {
        QFile file(dir.filePath(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(onePageFile(stream));
        file.close();
        return complaint(qpdf, {QStringLiteral("--check"), file.fileName()});
    };
    EXPECT_TRUE(checked(QStringLiteral("plain.pdf"), plainDeflate(*stalling))
                    .contains(QStringLiteral("input stream is complete but output may still be valid")))
        << "the reader stalls where we expect it to";
    EXPECT_EQ(checked(QStringLiteral("written.pdf"), written).toStdString(), "");
}

// A report of several thousand pages, every stream of it inflated by the reader
// that stalls (as its check does, without parsing each page's operators again).
TEST(PDFDeflate, AReportOfThousandsOfPagesInflatesCleanly) {
    const QString qpdf = QStandardPaths::findExecutable(QStringLiteral("qpdf"));
    if (qpdf.isEmpty())
        GTEST_SKIP() << "qpdf is not installed";
    TReportFixture fixture{"routes", routes(3000 * 45)};
    ASSERT_TRUE(fixture.run());
    ASSERT_GE(fixture.FReport.PreviewPages().GetCount(), 3000);
    TfrxPDFExport filter;
    QTemporaryDir dir;
    QFile file(dir.filePath(QStringLiteral("long.pdf")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(fixture.exported(filter));
    file.close();
    EXPECT_EQ(complaint(qpdf, {QStringLiteral("--stream-data=uncompress"), file.fileName(),
                               dir.filePath(QStringLiteral("inflated.pdf"))})
                  .toStdString(),
              "");
}
