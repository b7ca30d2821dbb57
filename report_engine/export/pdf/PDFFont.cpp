#include "report_engine/export/pdf/PDFFont.h"

#include "report_engine/base/ReportError.h"
#include "report_engine/export/common/CodePage.h"
#include "report_engine/export/pdf/TrueTypeSubset.h"
#include "report_engine/text/FontEngine.h"

#include <QCryptographicHash>
#include <QFile>

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_TRUETYPE_TABLES_H

#include <algorithm>
#include <cmath>

namespace {
constexpr int PixelsPerEm = 1000; // 750 points at 96 per inch

FT_Library library() {
    static FT_Library lib = [] {
        FT_Library created = nullptr;
        if (FT_Init_FreeType(&created) != 0)
            throw EfrxError(QStringLiteral("FreeType could not be initialised"));
        return created;
    }();
    return lib;
}
} // namespace

namespace {
int scaled(long fontUnits, int unitsPerEm) {
    return static_cast<int>(std::lround(static_cast<double>(fontUnits) * PixelsPerEm / unitsPerEm));
}

TfrxPDFFontMetrics readMetrics(FT_Face face) {
    TfrxPDFFontMetrics metrics;
    const int em = face->units_per_EM;
    metrics.BoxLeft = scaled(face->bbox.xMin, em);
    metrics.BoxBottom = scaled(face->bbox.yMin, em);
    metrics.BoxRight = scaled(face->bbox.xMax, em);
    metrics.BoxTop = scaled(face->bbox.yMax, em);
    const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
    const auto* post = static_cast<const TT_Postscript*>(FT_Get_Sfnt_Table(face, FT_SFNT_POST));
    const auto* hhea = static_cast<const TT_HoriHeader*>(FT_Get_Sfnt_Table(face, FT_SFNT_HHEA));
    if (post)
        metrics.ItalicAngle = static_cast<int>(std::lround(post->italicAngle / 65536.0));
    if (os2) {
        const int winAscent = scaled(os2->usWinAscent, em);
        const int winDescent = scaled(os2->usWinDescent, em);
        metrics.Ascent = scaled(os2->sTypoAscender, em);
        metrics.Descent = scaled(os2->sTypoDescender, em);
        metrics.Leading = winAscent + winDescent - PixelsPerEm;
        metrics.CapHeight = winAscent + winDescent;
        const double weight = os2->usWeightClass / 65.0;
        metrics.StemV = 50 + static_cast<int>(std::lround(weight * weight));
        metrics.AvgWidth = scaled(os2->xAvgCharWidth, em);
    }
    if (hhea)
        metrics.MaxWidth = scaled(hhea->advance_Width_Max, em);
    return metrics;
}
} // namespace

// The face is opened only to read its metrics; glyphs come from the font engine.
TfrxPDFFont::TfrxPDFFont(const TfrxFont& font, int index) : FFont(font), FIndex(index) {
    FFile = TfrxFontEngine::instance().faceFile(font);
    FT_Face face = nullptr;
    if (FT_New_Face(library(), FFile.toLocal8Bit().constData(), 0, &face) != 0)
        throw EfrxError(QStringLiteral("No font file found for the font \"%1\"").arg(font.Name));
    FMetrics = readMetrics(face);
    FT_Done_Face(face);
}

TfrxPDFFont::~TfrxPDFFont() = default;

QByteArray TfrxPDFFont::SubsetData() const {
    QFile file(FFile);
    if (!file.open(QIODevice::ReadOnly))
        throw EfrxError(QStringLiteral("Cannot read the font file %1: %2").arg(FFile, file.errorString()));
    return frxSubsetTrueType(file.readAll(), FUsedAlphabet);
}

// The report's face name stands for the font (a substituted face is still the
// report's "Arial"), with its style and the escapes PDF names need.
QByteArray TfrxPDFFont::PdfName() const {
    QString name = FFont.Name;
    const std::pair<char, const char*> escapes[] = {{' ', "#20"}, {'(', "#28"}, {')', "#29"}, {'%', "#25"},
                                                    {'<', "#3C"}, {'>', "#3E"}, {'[', "#5B"}, {']', "#5D"},
                                                    {'{', "#7B"}, {'}', "#7D"}, {'/', "#2F"}};
    QString escaped;
    for (const QChar c : name) {
        const auto* found = std::find_if(std::begin(escapes), std::end(escapes),
                                         [c](const auto& escape) { return c == QLatin1Char(escape.first); });
        escaped += found != std::end(escapes) ? QString::fromLatin1(found->second) : QString(c);
    }
    if (FFont.Bold || FFont.Italic)
        escaped += QLatin1Char(',');
    if (FFont.Bold)
        escaped += QStringLiteral("Bold");
    if (FFont.Italic)
        escaped += QStringLiteral("Italic");
    QByteArray bytes;
    for (const char byte : frxToAnsi(escaped))
        bytes += static_cast<unsigned char>(byte) >= 128
                     ? QByteArray("#") + QByteArray::number(static_cast<unsigned char>(byte), 16).toUpper()
                     : QByteArray(1, byte);
    return bytes;
}

// Glyphs join the alphabet in the order first met. A glyph first met without a
// character of its own gets one as soon as any later line shows it alone.
void TfrxPDFFont::record(quint16 glyph, int advance, char32_t character) {
    if (glyph >= FSlot.size())
        FSlot.resize(glyph + 1u, 0);
    if (FSlot[glyph] == 0) {
        FUsedAlphabet.push_back(glyph);
        FWidths.push_back(advance);
        FUsedAlphabetUnicode.push_back(character != 0 ? character : U' ');
        FMapped.push_back(character != 0);
        FSlot[glyph] = static_cast<int>(FUsedAlphabet.size());
        return;
    }
    const auto slot = static_cast<size_t>(FSlot[glyph] - 1);
    if (!FMapped[slot] && character != 0) {
        FUsedAlphabetUnicode[slot] = character;
        FMapped[slot] = true;
    }
}

void TfrxPDFFont::AddGlyphs(const TfrxGlyphRun& run) {
    for (qsizetype i = 0; i < run.Glyphs.size(); ++i)
        record(run.Glyphs[i], run.Advances[i], run.Characters[i]);
}

QByteArray TfrxPDFFont::SubsetTag() const {
    QCryptographicHash hash(QCryptographicHash::Md5);
    hash.addData(PdfName());
    for (const quint16 glyph : FUsedAlphabet)
        hash.addData(QByteArrayView(reinterpret_cast<const char*>(&glyph), sizeof glyph));
    const QByteArray digest = hash.result();
    QByteArray tag;
    for (int i = 0; i < 6; ++i)
        tag += static_cast<char>('A' + static_cast<unsigned char>(digest[i]) % 26);
    return tag;
}
