#include "report_engine/PDFFont.h"

#include "report_engine/CodePage.h"
#include "report_engine/FontEngine.h"
#include "report_engine/ReportError.h"
#include "report_engine/TrueTypeSubset.h"

#include <QFile>

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_TRUETYPE_TABLES_H
#include <hb-ft.h>
#include <hb.h>

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

struct TfrxPDFFont::TFace {
    FT_Face Face = nullptr;
    hb_font_t* Font = nullptr;
    ~TFace() {
        if (Font)
            hb_font_destroy(Font);
        else if (Face)
            FT_Done_Face(Face);
    }
};

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

TfrxPDFFont::TfrxPDFFont(const TfrxFont& font, int index)
    : FFont(font), FIndex(index), FFace(std::make_unique<TFace>()) {
    FFile = TfrxFontEngine::instance().faceFile(font);
    if (FT_New_Face(library(), FFile.toLocal8Bit().constData(), 0, &FFace->Face) != 0)
        throw EfrxError(QStringLiteral("No font file found for the font \"%1\"").arg(font.Name));
    FT_Set_Pixel_Sizes(FFace->Face, 0, PixelsPerEm);
    FMetrics = readMetrics(FFace->Face);
    FFace->Font = hb_ft_font_create_referenced(FFace->Face);
    // Unhinted advances are the font's own widths, the ones its embedded copy declares.
    hb_ft_font_set_load_flags(FFace->Font, FT_LOAD_NO_HINTING);
    FT_Done_Face(FFace->Face); // the HarfBuzz font holds the face now
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

TfrxPDFGlyphs TfrxPDFFont::RemapString(const QString& line) {
    // Once shaped, a line's glyphs are in the alphabet already.
    if (const auto known = FShaped.constFind(line); known != FShaped.constEnd())
        return *known;
    constexpr qsizetype MaxShaped = 50000;
    if (FShaped.size() >= MaxShaped)
        FShaped.clear();
    TfrxPDFGlyphs result;
    hb_buffer_t* buffer = hb_buffer_create();
    hb_buffer_add_utf16(buffer, reinterpret_cast<const uint16_t*>(line.utf16()),
                        static_cast<int>(line.size()), 0, static_cast<int>(line.size()));
    hb_buffer_set_direction(buffer, HB_DIRECTION_LTR);
    hb_buffer_guess_segment_properties(buffer);
    const hb_feature_t features[] = {{HB_TAG('k', 'e', 'r', 'n'), 0, 0, ~0u},
                                     {HB_TAG('l', 'i', 'g', 'a'), 0, 0, ~0u},
                                     {HB_TAG('c', 'l', 'i', 'g'), 0, 0, ~0u}};
    hb_shape(FFace->Font, buffer, features, 3);
    unsigned count = 0;
    const hb_glyph_info_t* infos = hb_buffer_get_glyph_infos(buffer, &count);
    const hb_glyph_position_t* positions = hb_buffer_get_glyph_positions(buffer, &count);
    const bool onePerCharacter = count == static_cast<unsigned>(line.size());
    for (unsigned i = 0; i < count; ++i) {
        const auto glyph = static_cast<quint16>(infos[i].codepoint);
        const int advance = static_cast<int>(std::lround(positions[i].x_advance / 64.0));
        result.Width += advance;
        const char16_t character = onePerCharacter ? line[static_cast<qsizetype>(i)].unicode() : u' ';
        if (onePerCharacter && character == u' ')
            ++result.Spaces;
        if (glyph >= FUsed.size())
            FUsed.resize(glyph + 1u, false);
        if (!FUsed[glyph]) {
            FUsed[glyph] = true;
            FUsedAlphabet.push_back(glyph);
            FWidths.push_back(advance);
            FUsedAlphabetUnicode.push_back(character);
        }
        result.Glyphs.push_back(glyph);
    }
    hb_buffer_destroy(buffer);
    FShaped.insert(line, result);
    return result;
}
