#include "report_engine/ZrpFile.h"
#include "ReportFixture.h"
#include "report_engine/ReportError.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QtEndian>

namespace {
QByteArray saved(const TfrxPreviewPages& pages) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    frxZrp::save(pages, buffer);
    return bytes;
}

// Loads bytes; returns the error message, or empty when they loaded.
QString loadError(const QByteArray& bytes) {
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    try {
        frxZrp::load(buffer);
        return {};
    } catch (const EfrxError& error) {
        return error.message();
    }
}

// A file holding the given XML text, compressed as the saver does: one zlib stream.
QByteArray packedXml(const QByteArray& xml) {
    return QByteArray("ZRP2") + qCompress(xml).mid(4);
}

// The saved file with the first object's text number replaced.
QByteArray withTextReference(const QByteArray& file, int number) {
    QByteArray xml = qUncompress(QByteArray("\0\0\0\0", 4) + file.mid(4));
    const qsizetype at = xml.indexOf(" s=\"", xml.indexOf("<previewpages>"));
    const qsizetype end = xml.indexOf('"', at + 4);
    return packedXml(xml.left(at + 4) + QByteArray::number(number) + xml.mid(end));
}

class ZrpFile : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(FFixture.run());
        FBytes = saved(FFixture.FReport.PreviewPages());
    }
    // Texts with markup characters, a line break and a control character a database may hold.
    TReportFixture FFixture{"routes", routes(60, "Москва Москва Москва Москва\r\nМосква \"<&>\"\x01'\t")};
    QByteArray FBytes;
};
} // namespace

TEST_F(ZrpFile, RoundTripGivesTheSamePages) {
    QBuffer buffer(&FBytes);
    buffer.open(QIODevice::ReadOnly);
    std::unique_ptr<TfrxPreviewPages> loaded = frxZrp::load(buffer);
    const TfrxPreviewPages& original = FFixture.FReport.PreviewPages();
    ASSERT_EQ(loaded->GetCount(), original.GetCount());
    EXPECT_EQ(frxLayoutListing(*loaded), frxLayoutListing(original));
    for (int i = 0; i < original.GetCount(); ++i) {
        EXPECT_EQ(loaded->GetPageSize(i), original.GetPageSize(i));
        EXPECT_EQ(loaded->GetLogicalPageNo(i), original.GetLogicalPageNo(i));
    }
    // Saving what was loaded gives the same file: nothing is lost or added.
    EXPECT_EQ(saved(*loaded), FBytes);
}

TEST_F(ZrpFile, ReportTakesOverLoadedPages) {
    const QString fileName = QDir::temp().filePath("zelvora-roundtrip.zrp");
    frxZrp::saveToFile(FFixture.FReport.PreviewPages(), fileName);
    TfrxReport other;
    other.replacePreviewPages(frxZrp::loadFromFile(fileName));
    EXPECT_EQ(frxLayoutListing(other.PreviewPages()), frxLayoutListing(FFixture.FReport.PreviewPages()));
    QFile::remove(fileName);
}

TEST_F(ZrpFile, DamagedFilesGiveAClearError) {
    const struct {
        const char* name;
        QByteArray bytes;
        const char* expected;
    } cases[] = {
        {"empty", QByteArray(), "Not a prepared report file"},
        {"other file", QByteArray("%PDF-1.4 something"), "Not a prepared report file"},
        {"cut short", FBytes.left(FBytes.size() / 2), "damaged"},
        {"signature only", QByteArray("ZRP2"), "damaged"},
        {"trailing bytes", FBytes + "x", "cannot be read"},
        {"not xml", packedXml("hello"), "damaged"},
        {"unknown object",
         packedXml("<preparedreport><sourcepages/><texts/><previewpages><page source=\"0\" n=\"1\"/>"
                   "</previewpages></preparedreport>"),
         "missing source page"},
        {"no texts", packedXml("<preparedreport><sourcepages/><previewpages/></preparedreport>"),
         "texts are missing"},
        {"text without a value",
         packedXml("<preparedreport><sourcepages/><texts><t/></texts><previewpages/></preparedreport>"),
         "a text is missing"},
        {"missing text", withTextReference(FBytes, 1000000), "missing text"},
        {"negative text", withTextReference(FBytes, -1), "missing text"},
        {"unknown class",
         packedXml("<preparedreport><sourcepages><TfrxEvil/></sourcepages></preparedreport>"),
         "Unknown report class"},
        {"deep nesting",
         packedXml("<preparedreport><sourcepages>" + QByteArray("<TfrxReportPage>").repeated(5000) +
                   "</sourcepages></preparedreport>"),
         "damaged"},
        {"bad number",
         packedXml(
             "<preparedreport><sourcepages><TfrxReportPage Left=\"nan\"/></sourcepages></preparedreport>"),
         "not a number"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_TRUE(loadError(c.bytes).contains(QLatin1String(c.expected)))
            << loadError(c.bytes).toStdString();
    }
}

TEST_F(ZrpFile, CorruptedBytesNeverCrashOrLoadGarbage) {
    // The compressed stream carries a checksum, so any changed byte must be refused.
    QRandomGenerator random(7);
    for (int round = 0; round < 300; ++round) {
        QByteArray bytes = FBytes;
        const int at = 4 + static_cast<int>(random.bounded(static_cast<quint32>(bytes.size() - 4)));
        bytes[at] = static_cast<char>(bytes[at] ^ (1 + random.bounded(255)));
        EXPECT_FALSE(loadError(bytes).isEmpty()) << "byte " << at;
    }
}
