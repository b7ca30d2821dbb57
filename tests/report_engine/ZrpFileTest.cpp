#include "report_engine/prepared/ZrpFile.h"
#include "report_engine/base/ReportError.h"
#include "report_engine/prepared/ZrpFileStream.h"
#include "tests/support/ReportFixture.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QtEndian>
#include <limits>

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

// A file whose compressed stream holds the given content, compressed as the saver does.
QByteArray packed(const QByteArray& content) {
    return QByteArray("ZRP2") + qCompress(content).mid(4);
}

// Pieces of content in the file's encoding.
QByteArray number(quint64 value) {
    QByteArray bytes;
    for (; value >= 0x80; value >>= 7)
        bytes += static_cast<char>((value & 0x7F) | 0x80);
    return bytes + static_cast<char>(value);
}
QByteArray text(const QByteArray& bytes) {
    return number(static_cast<quint64>(bytes.size())) + bytes;
}
QByteArray real(double value) {
    QByteArray bytes(8, Qt::Uninitialized);
    qToLittleEndian(value, bytes.data());
    return bytes;
}

// The source pages of a saved file, as the piece that starts its content.
QByteArray sourcePagesPiece(const QByteArray& file) {
    const QByteArray content = qUncompress(QByteArray("\0\0\0\0", 4) + file.mid(4));
    quint64 size = 0;
    int at = 0;
    for (int shift = 0;; shift += 7) {
        const auto group = static_cast<quint8>(content[at++]);
        size |= static_cast<quint64>(group & 0x7F) << shift;
        if (!(group & 0x80))
            break;
    }
    return content.left(at + static_cast<int>(size));
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
    const QByteArray sources = sourcePagesPiece(FBytes);
    // One page (1, then its source page, number and count of objects) of the first source
    // page, holding one object: alias, mask, then what the mask says; 0 ends the pages.
    const auto onePage = [&sources](const QByteArray& object) {
        return packed(sources + number(1) + number(0) + number(1) + number(1) + object + number(0));
    };
    const QByteArray band = number(0); // alias 0, the first band of the routes report
    const char mText = 16, mChild = 32;
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
        {"not xml", packed(text("hello") + number(0)), "damaged"},
        {"unknown class", packed(text("<sourcepages><TfrxEvil/></sourcepages>") + number(0)),
         "Unknown report class"},
        {"deep nesting",
         packed(text("<sourcepages>" + QByteArray("<TfrxReportPage>").repeated(5000) + "</sourcepages>") +
                number(0)),
         "damaged"},
        {"bad number", packed(text("<sourcepages><TfrxReportPage Left=\"nan\"/></sourcepages>") + number(0)),
         "not a number"},
        {"missing source page", packed(text("<sourcepages/>") + number(1) + number(0)), "out of range"},
        {"unknown record", packed(sources + number(7)), "out of range"},
        {"objects promised, none given",
         packed(sources + number(1) + number(0) + number(1) + number(1000000)), "ends too early"},
        {"no end of the pages", packed(sources), "ends too early"},
        {"number too long", packed(sources + QByteArray(12, '\xff')), "too long"},
        {"unknown object", onePage(number(100000) + '\0'), "out of range"},
        {"child before any band", onePage(band + mChild), "outside a band"},
        {"unknown property", onePage(band + '\x40'), "unknown properties"},
        {"infinite position", onePage(band + '\x02' + real(std::numeric_limits<double>::infinity())),
         "not a number"},
        {"text given before it exists", onePage(band + mText + number(5)), "out of range"},
        {"text longer than the file", onePage(band + mText + number(0) + number(100000000)),
         "ends too early"},
        {"data after the last page", packed(sources + number(0) + "x"), "unexpected data"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_TRUE(loadError(c.bytes).contains(QLatin1String(c.expected)))
            << loadError(c.bytes).toStdString();
    }
    // The pieces above are right: the same page with a proper object loads.
    EXPECT_EQ(loadError(onePage(band + '\0')), QString());
}

// A text on every row is written once and referred to after that, a plain number
// (the flight time here) as much as any other text.
TEST(ZrpFileTexts, EachDistinctTextIsWrittenOnce) {
    TReportFixture fixture{"routes", routes(60, QStringLiteral("Пермь"), 4500.5, 987654)};
    ASSERT_TRUE(fixture.run());
    const QByteArray file = saved(fixture.FReport.PreviewPages());
    const QByteArray content = qUncompress(QByteArray("\0\0\0\0", 4) + file.mid(4));
    for (const QByteArray& repeated : {QByteArray("987654"), QStringLiteral("Пермь").toUtf8()}) {
        SCOPED_TRACE(repeated.toStdString());
        EXPECT_EQ(content.count(number(0) + text(repeated)), 1);
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

// Saving page by page as the run goes gives a file that loads to the very pages the
// run prepared; a stream never committed leaves no file behind.
TEST(ZrpFileStream, SavesWhileTheRunPreparesAndLeavesNothingUncommitted) {
    TReportFixture fixture{"routes", routes(100, "Москва")};
    TfrxPreviewPages& pages = fixture.FReport.PreviewPages();
    const QString fileName = QDir::temp().filePath("zelvora-streamed.zrp");
    std::vector<int> completed;
    {
        TfrxZrpFileStream stream(fileName);
        pages.OnPageComplete = [&](int index) {
            completed.push_back(index);
            stream.pageComplete(pages, index);
        };
        ASSERT_TRUE(fixture.run());
        EXPECT_FALSE(QFile::exists(fileName)) << "nothing shows before the commit";
        stream.commit(pages);
    }
    pages.OnPageComplete = nullptr;
    ASSERT_GT(pages.GetCount(), 2);
    EXPECT_EQ(completed.size(), static_cast<size_t>(pages.GetCount()));
    EXPECT_EQ(completed.back(), pages.GetCount() - 1);
    EXPECT_EQ(frxLayoutListing(*frxZrp::loadFromFile(fileName)), frxLayoutListing(pages));
    QFile::remove(fileName);

    {
        TfrxZrpFileStream dropped(fileName);
        dropped.pageComplete(pages, 0);
    }
    EXPECT_FALSE(QFile::exists(fileName));
    EXPECT_THROW(TfrxZrpFileStream(QStringLiteral("/nonexistent-folder/x.zrp")), EfrxError);
}
