#include "report_engine/export/pdf/PDFExport.h"
#include "PdfReaders.h"
#include "report_engine/base/ReportError.h"
#include "report_engine/export/pdf/PDFFont.h"
#include "report_engine/export/pdf/TrueTypeSubset.h"
#include "report_engine/model/Bands.h"
#include "report_engine/model/MemoView.h"
#include "report_engine/model/Page.h"
#include "report_engine/text/FontEngine.h"
#include "tests/support/ReportFixture.h"

#include <QBuffer>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtEndian>
#include <ft2build.h>
#include FT_FREETYPE_H

namespace {
// The file the export writes for the routes report over so many rows.
QByteArray exported(int rows, const QString& userPassword = QString(),
                    const QString& ownerPassword = QString()) {
    TReportFixture fixture{"routes", routes(rows)};
    EXPECT_TRUE(fixture.run());
    TfrxPDFExport filter;
    filter.UserPassword = userPassword;
    filter.OwnerPassword = ownerPassword;
    return fixture.exported(filter);
}
} // namespace

// Two pages of routes: the three fonts are first met on page 1 in output order
// (the dates, the italic title, the bold header row) and page 2's resources still
// name all three; each font is written as its subset, descriptor, Unicode map,
// system information, descendant font and the font itself at its reserved number.
TEST(PDFExport, ObjectsComeInTheirOrder) {
    const QByteArray pdf = exported(45);
    EXPECT_TRUE(pdf.startsWith("%PDF-1.5\r\n%\xE2\xE3\xCF\xD3\r\n"));
    EXPECT_TRUE(pdf.contains("/Kids [6 0 R 8 0 R ]\r\n/Count 2\r\n"));
    EXPECT_EQ(pdf.count("/Font << /F0 3 0 R /F1 4 0 R /F2 5 0 R >>"), 2);
    EXPECT_TRUE(pdf.contains("xref\r\n0 26\r\n0000000000 65535 f\r\n"));
    EXPECT_TRUE(pdf.contains("/Root 25 0 R\r\n/Info 24 0 R\r\n"));
    // Embedded subsets carry a tag of six capitals before the font name.
    const struct {
        int object;
        const char* starts;
    } objects[] = {{9, "<</Length"},
                   {10, "<<\r\n/Type /FontDescriptor\r\n/FontName /[A-Z]{6}\\+Arial\r\n"},
                   {12, "<<\r\n/Registry"},
                   {13, "<<\r\n/Type /Font\r\n/Subtype /CIDFontType2\r\n/BaseFont /[A-Z]{6}\\+Arial\r\n"},
                   {3, "<<\r\n/Type /Font\r\n/Subtype /Type0\r\n/BaseFont /[A-Z]{6}\\+Arial\r\n"},
                   {4, "<<\r\n/Type /Font\r\n/Subtype /Type0\r\n/BaseFont /[A-Z]{6}\\+Arial,Italic\r\n"},
                   {5, "<<\r\n/Type /Font\r\n/Subtype /Type0\r\n/BaseFont /[A-Z]{6}\\+Arial,Bold\r\n"},
                   {1, "<<\r\n/Type /Pages\r\n"}};
    for (const auto& o : objects) {
        SCOPED_TRACE(o.object);
        const QByteArray start = "\r\n" + QByteArray::number(o.object) + " 0 obj\r\n";
        ASSERT_TRUE(pdf.contains(start));
        const QString rest = QString::fromLatin1(pdf.mid(pdf.indexOf(start) + start.size()));
        EXPECT_TRUE(
            QRegularExpression(QStringLiteral("^") + QString::fromLatin1(o.starts)).match(rest).hasMatch())
            << rest.left(120).toStdString();
    }
    EXPECT_TRUE(pdf.contains("/Title <FEFF>\r\n/Author <FEFF005A0065006C0076006F00720061>\r\n"));
    EXPECT_FALSE(pdf.contains("/DisplayDocTitle"));
    EXPECT_TRUE(pdf.contains("/PrintScaling false\r\n"));
}

// What readers of PDF make of a file: no complaint, and the Cyrillic text found
// again; with passwords, only the right one opens it, with the permissions given.
TEST(PDFExport, ReadersTakeTheFileAndFindItsText) {
    const QString qpdf = QStandardPaths::findExecutable(QStringLiteral("qpdf"));
    const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (qpdf.isEmpty() || pdftotext.isEmpty())
        GTEST_SKIP() << "qpdf and pdftotext are not installed";
    QTemporaryDir dir;
    const auto written = [&dir](const QString& name, const QByteArray& bytes) {
        const QString fileName = dir.filePath(name);
        QFile file(fileName);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return fileName;
    };
    const auto text = [&pdftotext](const QStringList& arguments) {
        QProcess process;
        process.start(pdftotext, arguments + QStringList{QStringLiteral("-")});
        process.waitForFinished(30000);
        return QString::fromUtf8(process.readAllStandardOutput());
    };
    const QString plain = written(QStringLiteral("plain.pdf"), exported(3));
    EXPECT_EQ(complaint(qpdf, {QStringLiteral("--check"), plain}), QString());
    const QString found = text({plain});
    EXPECT_TRUE(found.contains(QStringLiteral("Список маршрутов"))) << found.toStdString();
    EXPECT_TRUE(found.contains(QStringLiteral("Москва")));

    const QString locked =
        written(QStringLiteral("locked.pdf"), exported(3, QStringLiteral("user"), QStringLiteral("owner")));
    EXPECT_EQ(complaint(qpdf, {QStringLiteral("--check"), QStringLiteral("--password=user"), locked}),
              QString());
    EXPECT_NE(complaint(qpdf, {QStringLiteral("--check"), QStringLiteral("--password=wrong"), locked}),
              QString());
    EXPECT_TRUE(
        text({QStringLiteral("-upw"), QStringLiteral("user"), locked}).contains(QStringLiteral("Москва")));
    EXPECT_TRUE(
        text({QStringLiteral("-opw"), QStringLiteral("owner"), locked}).contains(QStringLiteral("Москва")));
    QProcess show;
    show.start(qpdf, {QStringLiteral("--show-encryption"), QStringLiteral("--password=owner"), locked});
    show.waitForFinished(30000);
    const QString encryption = QString::fromUtf8(show.readAllStandardOutput());
    EXPECT_TRUE(encryption.contains(QStringLiteral("R = 3"))) << encryption.toStdString();
    EXPECT_TRUE(encryption.contains(QStringLiteral("P = -4")));
    EXPECT_TRUE(encryption.contains(QStringLiteral("User password = user")));
}

// The subset keeps the glyph numbers: used glyphs keep their outlines, others are empty.
TEST(TrueTypeSubset, UsedGlyphsKeepTheirOutlinesAndTheRestAreEmpty) {
    QFile file(TfrxFontEngine::instance().faceFile(TfrxFont()));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray original = file.readAll();
    const QByteArray subset = frxSubsetTrueType(original, {36, 37});
    EXPECT_LT(subset.size(), original.size());
    FT_Library library = nullptr;
    ASSERT_EQ(FT_Init_FreeType(&library), 0);
    FT_Face whole = nullptr;
    FT_Face part = nullptr;
    ASSERT_EQ(FT_New_Memory_Face(library, reinterpret_cast<const FT_Byte*>(original.constData()),
                                 original.size(), 0, &whole),
              0);
    ASSERT_EQ(FT_New_Memory_Face(library, reinterpret_cast<const FT_Byte*>(subset.constData()), subset.size(),
                                 0, &part),
              0);
    EXPECT_EQ(part->num_glyphs, whole->num_glyphs);
    const auto points = [](FT_Face face, unsigned glyph) {
        return FT_Load_Glyph(face, glyph, FT_LOAD_NO_SCALE) == 0 ? face->glyph->outline.n_points : -1;
    };
    EXPECT_EQ(points(part, 36), points(whole, 36));
    EXPECT_GT(points(part, 37), 0);
    EXPECT_EQ(points(part, 38), 0);
    const auto advance = [](FT_Face face, unsigned glyph) {
        return FT_Load_Glyph(face, glyph, FT_LOAD_NO_SCALE) == 0 ? face->glyph->metrics.horiAdvance : -1;
    };
    EXPECT_EQ(advance(part, 36), advance(whole, 36));
    EXPECT_EQ(advance(part, 38), 0) << "an emptied glyph's metrics are emptied too";
    FT_Done_Face(part);
    FT_Done_Face(whole);
    FT_Done_FreeType(library);
    EXPECT_THROW(frxSubsetTrueType(QByteArray("not a font"), {1}), EfrxError);

    // Only the tables a reader of an embedded font uses, in the face's order,
    // each with its checksum, and the whole font summing to the magic number.
    const auto tags = [](const QByteArray& font) {
        QList<QByteArray> found;
        for (int i = 0; i < qFromBigEndian<quint16>(font.constData() + 4); ++i)
            found << font.mid(12 + 16 * i, 4);
        return found;
    };
    const QList<QByteArray> needed = {"OS/2", "cvt ", "fpgm", "glyf", "head", "hhea",
                                      "hmtx", "loca", "maxp", "post", "prep"};
    QList<QByteArray> kept;
    for (const QByteArray& tag : tags(original))
        if (needed.contains(tag))
            kept << tag;
    ASSERT_EQ(tags(subset), kept);
    ASSERT_LT(kept.size(), tags(original).size());
    const auto sum = [](const QByteArray& data) {
        quint32 total = 0;
        for (qsizetype i = 0; i < data.size(); i += 4) {
            char word[4] = {};
            std::copy_n(data.constData() + i, std::min<qsizetype>(4, data.size() - i), word);
            total += qFromBigEndian<quint32>(word);
        }
        return total;
    };
    EXPECT_EQ(qFromBigEndian<quint16>(subset.constData() + 6), 16 * 8) << "the search range of 11 tables";
    for (int i = 0; i < kept.size(); ++i) {
        const char* record = subset.constData() + 12 + 16 * i;
        QByteArray data =
            subset.mid(qFromBigEndian<quint32>(record + 8), qFromBigEndian<quint32>(record + 12));
        if (kept[i] == "head")
            data.replace(8, 4, QByteArray(4, '\0'));
        EXPECT_EQ(qFromBigEndian<quint32>(record + 4), sum(data)) << kept[i].toStdString();
        if (kept[i] == "post") {
            EXPECT_EQ(data.left(4), QByteArray::fromHex("00030000")) << "post without glyph names";
        }
    }
    EXPECT_EQ(sum(subset), 0xB1B0AFBAu);
}

// A justified line widens its spaces, except the last line of its paragraph;
// underlined and struck-out text gets its lines.
TEST(PDFExport, JustifiedAndRuledText) {
    TfrxReportPage page;
    auto* band = static_cast<TfrxBand*>(page.add(std::make_unique<TfrxMasterData>()));
    auto memo = std::make_unique<TfrxMemoView>();
    memo->Width = 120;
    memo->Height = 100;
    memo->HAlign = TfrxHAlign::haBlock;
    memo->ParentFont = false;
    memo->Font.Underline = true;
    memo->Font.StrikeOut = true;
    memo->Text = QStringLiteral("один два три четыре пять шесть семь");
    const TfrxCustomMemoView& text = *static_cast<TfrxCustomMemoView*>(band->add(std::move(memo)));
    ASSERT_GT(text.WrappedLines().size(), 1);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    TfrxPDFExport filter;
    filter.Compressed = false;
    filter.Stream = &buffer;
    ASSERT_TRUE(filter.Start());
    filter.StartPage(page, 0);
    filter.ExportObject(text);
    filter.FinishPage(page, 0);
    filter.Finish();
    const qsizetype lines = text.WrappedLines().size();
    EXPECT_EQ(bytes.count("] TJ\r\n"), lines - 1);
    EXPECT_EQ(bytes.count("> Tj\r\n"), 1) << "the paragraph's last line as it is";
    EXPECT_EQ(bytes.count(" w\r\n"), 2 * lines) << "an underline and a strike-out line for each";
}

// A line that is not one glyph per character (a character the face lacks, a
// surrogate pair) must not take the letters first met in it to a space for the
// whole document: every glyph shown alone maps to its own character, in that
// line or any later one; the empty glyph of missing characters stays a space.
TEST(PDFFont, EveryGlyphShownAloneMapsToItsCharacter) {
    TfrxPDFFont font(TfrxFont(), 0);
    const QString mixed = QStringLiteral("Ü-Stadt 中文 😀");
    const QString plain[] = {QStringLiteral("dash"), QStringLiteral("Tab Москва")};
    // The font takes a line's glyphs as the font engine shapes it.
    const auto show = [&font](const QString& line) {
        const TfrxGlyphRun run = TfrxFontEngine::instance().glyphRun(TfrxFont(), line);
        font.AddGlyphs(run);
        return run;
    };
    const TfrxGlyphRun mixedGlyphs = show(mixed);
    ASSERT_NE(mixedGlyphs.Glyphs.size(), mixed.size());
    const auto characterOf = [&font](quint16 glyph) {
        const auto& alphabet = font.UsedAlphabet();
        const auto at = std::find(alphabet.begin(), alphabet.end(), glyph);
        return at == alphabet.end() ? U'\0' : font.UsedAlphabetUnicode()[size_t(at - alphabet.begin())];
    };
    EXPECT_EQ(characterOf(mixedGlyphs.Glyphs[0]), U'Ü') << "alone in its cluster, though the line is not";
    EXPECT_EQ(characterOf(0), U' ') << "the empty glyph stands for every missing character";
    for (const QString& line : plain) {
        const TfrxGlyphRun glyphs = show(line);
        ASSERT_EQ(glyphs.Glyphs.size(), line.size());
        for (qsizetype i = 0; i < line.size(); ++i)
            EXPECT_EQ(characterOf(glyphs.Glyphs[i]), char32_t(line[i].unicode()))
                << line.toStdString() << " " << i;
    }
}

// What a reader copies out of the file: every Latin and Cyrillic letter of the
// rows after a mixed-script one; every font an embedded, tagged subset.
TEST(PDFExport, ReadersCopyEveryLetterAndSeeTaggedSubsets) {
    const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    const QString pdffonts = QStandardPaths::findExecutable(QStringLiteral("pdffonts"));
    if (pdftotext.isEmpty() || pdffonts.isEmpty())
        GTEST_SKIP() << "pdftotext and pdffonts are not installed";
    const QStringList places = {QStringLiteral("Ü-Stadt 中文 😀"), QStringLiteral("dash"),
                                QStringLiteral("Tab"), QStringLiteral("Weißwasser"),
                                QStringLiteral("Ёлкино-Щучье")};
    auto source = std::make_unique<TFakeDataSource>(
        QStringList{"id", "airStart", "airTarget", "price", "times"},
        std::vector<TfrxSourceFieldKind>{TfrxSourceFieldKind::Integer, TfrxSourceFieldKind::String,
                                         TfrxSourceFieldKind::String, TfrxSourceFieldKind::Float,
                                         TfrxSourceFieldKind::Integer});
    for (int i = 0; i < places.size(); ++i)
        source->addRow({i + 1, places[i], QStringLiteral("Сочи"), 100, 60});
    TReportFixture fixture("routes", std::move(source));
    ASSERT_TRUE(fixture.run());
    TfrxPDFExport filter;
    QTemporaryDir dir;
    const QString fileName = dir.filePath(QStringLiteral("mixed.pdf"));
    QFile file(fileName);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(fixture.exported(filter));
    file.close();
    const QString text = printed(pdftotext, {fileName, QStringLiteral("-")});
    for (const QString& place : places.mid(1))
        EXPECT_TRUE(text.contains(place)) << place.toStdString() << "\n" << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("Ü-Stadt"))) << text.toStdString();

    const QStringList fonts = printed(pdffonts, {fileName}).split(u'\n', Qt::SkipEmptyParts).mid(2);
    ASSERT_EQ(fonts.size(), 3);
    for (const QString& font : fonts) {
        const QStringList columns = font.simplified().split(u' ');
        EXPECT_TRUE(QRegularExpression(QStringLiteral("^[A-Z]{6}\\+Arial")).match(columns[0]).hasMatch())
            << font.toStdString();
        // name, type (two words), encoding, then embedded, subset, Unicode map
        EXPECT_EQ(columns.mid(4, 3), (QStringList{"yes", "yes", "yes"})) << font.toStdString();
    }
}
