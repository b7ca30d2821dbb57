#include "report_engine/text/FontEngine.h"

#include "report_engine/base/ReportError.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_DRIVER_H
#include FT_MODULE_H
#include <hb-ft.h>
#include <hb.h>

#include <cmath>
#include <limits>

namespace {
// Outlines are read at 1000 pixels per em, so advances come in thousandths of an em.
constexpr int OutlinePixelsPerEm = 1000;
} // namespace

// What shaping makes of one UTF-16 unit on its own. A unit is plain when it is
// a character the face has, no mark, and shapes into one glyph of its own: a
// text of plain units shapes into exactly these glyphs, one per unit, since
// the shaping turns off kerning and ligatures and nothing else in the faces
// joins or moves such characters.
struct TfrxCharGlyph {
    enum TKind : quint8 { Unknown, Plain, Other };
    quint16 Glyph = 0;
    TKind Kind = Unknown;
    qint16 Advance = 0; // as the shaping positions it, thousandths of an em on the outline face
    qint16 Width = 0;   // the glyph's whole-pixel hinted advance, on a measuring face
};

struct TfrxFace {
    FT_Face FFace = nullptr;
    hb_font_t* FHbFont = nullptr;
    QString FFile;
    std::vector<int> FAdvances;
    // Per UTF-16 unit, filled as units are first met: report texts are made of
    // few characters, so a table beats shaping or caching whole strings.
    std::vector<TfrxCharGlyph> FCharGlyphs;

    ~TfrxFace() {
        if (FHbFont)
            hb_font_destroy(FHbFont);
        else if (FFace)
            FT_Done_Face(FFace);
    }
};

struct TfrxFontEngine::TLibrary {
    FT_Library FLib = nullptr;
    TLibrary() {
        if (FT_Init_FreeType(&FLib) != 0)
            throw EfrxError(QStringLiteral("FreeType could not be initialised"));
        // The interpreter version changes hinted advance widths, so it is fixed here
        // rather than left to the library's build default.
        FT_UInt version = TT_INTERPRETER_VERSION_35;
        FT_Property_Set(FLib, "truetype", "interpreter-version", &version);
    }
    ~TLibrary() { FT_Done_FreeType(FLib); }
};

TfrxFontEngine::TfrxFontEngine() : FLibrary(std::make_unique<TLibrary>()) {}

TfrxFontEngine::~TfrxFontEngine() {
    FFaces.clear();
}

TfrxFontEngine& TfrxFontEngine::instance() {
    static TfrxFontEngine engine;
    return engine;
}

QRecursiveMutex& TfrxFontEngine::Lock() {
    static QRecursiveMutex mutex;
    return mutex;
}

namespace {
struct TMatch {
    QString FFile;
    QString FFamily;
    int FIndex = 0;
};

TMatch matchFont(const TfrxFont& font) {
    TMatch result;
    FcPattern* pattern = FcPatternCreate();
    const QByteArray family = font.Name.toUtf8();
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.constData()));
    FcPatternAddInteger(pattern, FC_WEIGHT, font.Bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
    FcPatternAddInteger(pattern, FC_SLANT, font.Italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult fcResult = FcResultNoMatch;
    FcPattern* match = FcFontMatch(nullptr, pattern, &fcResult);
    if (match) {
        FcChar8* file = nullptr;
        FcChar8* name = nullptr;
        if (FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch)
            result.FFile = QString::fromUtf8(reinterpret_cast<const char*>(file));
        if (FcPatternGetString(match, FC_FAMILY, 0, &name) == FcResultMatch)
            result.FFamily = QString::fromUtf8(reinterpret_cast<const char*>(name));
        FcPatternGetInteger(match, FC_INDEX, 0, &result.FIndex);
        FcPatternDestroy(match);
    }
    FcPatternDestroy(pattern);
    return result;
}

QString faceKey(const TfrxFont& font) {
    return QStringLiteral("%1|%2|%3|%4")
        .arg(font.Name)
        .arg(font.Bold)
        .arg(font.Italic)
        .arg(font.PixelsAt600());
}
} // namespace

namespace {
// A face of the font at a pixel size: hinted for measuring, unhinted for outlines.
std::shared_ptr<TfrxFace> openFace(FT_Library library, const TfrxFont& font, int pixels, bool hinted) {
    const TMatch match = matchFont(font);
    auto face = std::make_shared<TfrxFace>();
    if (match.FFile.isEmpty() ||
        FT_New_Face(library, match.FFile.toLocal8Bit().constData(), match.FIndex, &face->FFace) != 0)
        throw EfrxError(QStringLiteral("No font file found for the font \"%1\"").arg(font.Name));
    FT_Set_Pixel_Sizes(face->FFace, 0, static_cast<FT_UInt>(pixels));
    face->FHbFont = hb_ft_font_create_referenced(face->FFace);
    if (!hinted)
        hb_ft_font_set_load_flags(face->FHbFont, FT_LOAD_NO_HINTING);
    FT_Done_Face(face->FFace); // the HarfBuzz font now holds the only reference
    face->FFile = match.FFile;
    face->FAdvances.assign(static_cast<size_t>(face->FFace->num_glyphs), -1);
    return face;
}

// Every shaping of the process: one glyph per character where the face allows,
// no pair kerning, no ligatures. `take` gets all the glyphs at once.
template <class TTake> void shapeText(hb_font_t* font, const QString& text, TTake&& take) {
    hb_buffer_t* buffer = hb_buffer_create();
    hb_buffer_add_utf16(buffer, reinterpret_cast<const uint16_t*>(text.utf16()),
                        static_cast<int>(text.size()), 0, static_cast<int>(text.size()));
    hb_buffer_set_direction(buffer, HB_DIRECTION_LTR);
    hb_buffer_guess_segment_properties(buffer);
    const hb_feature_t features[] = {{HB_TAG('k', 'e', 'r', 'n'), 0, 0, ~0u},
                                     {HB_TAG('l', 'i', 'g', 'a'), 0, 0, ~0u},
                                     {HB_TAG('c', 'l', 'i', 'g'), 0, 0, ~0u}};
    hb_shape(font, buffer, features, 3);
    unsigned count = 0;
    const hb_glyph_info_t* infos = hb_buffer_get_glyph_infos(buffer, &count);
    const hb_glyph_position_t* positions = hb_buffer_get_glyph_positions(buffer, &count);
    take(infos, positions, count);
    hb_buffer_destroy(buffer);
}

// The character a glyph stands for on its own: the glyph is the whole of its
// cluster and the cluster one character (a surrogate pair being one). None
// (0) for ligatures, a character drawn with several glyphs, or the empty glyph
// of characters the face lacks, which stands for all of them alike.
char32_t ownCharacter(const QString& line, const hb_glyph_info_t* infos, unsigned count, unsigned i) {
    const unsigned start = infos[i].cluster;
    if (infos[i].codepoint == 0 || (i > 0 && infos[i - 1].cluster == start) ||
        (i + 1 < count && infos[i + 1].cluster == start))
        return 0;
    const unsigned end = i + 1 < count ? infos[i + 1].cluster : static_cast<unsigned>(line.size());
    const QChar first = line[static_cast<qsizetype>(start)];
    if (end == start + 1 && !first.isSurrogate())
        return first.unicode();
    if (end == start + 2 && first.isHighSurrogate() &&
        line[static_cast<qsizetype>(start + 1)].isLowSurrogate())
        return QChar::surrogateToUcs4(first, line[static_cast<qsizetype>(start + 1)]);
    return 0;
}
} // namespace

TfrxFace& TfrxFontEngine::face(const TfrxFont& font) {
    // Text objects come in runs of the same font; the last one is found without a key.
    if (FLastFace && FLastFont.Height == font.Height && FLastFont.Bold == font.Bold &&
        FLastFont.Italic == font.Italic && FLastFont.Name == font.Name)
        return *FLastFace;
    const QString key = faceKey(font);
    auto found = FFaces.constFind(key);
    if (found == FFaces.constEnd())
        found = FFaces.insert(key, openFace(FLibrary->FLib, font, font.PixelsAt600(), true));
    FLastFont = font;
    FLastFace = found->get();
    return *FLastFace;
}

TfrxFace& TfrxFontEngine::outlineFace(const TfrxFont& font) {
    if (FLastOutlineFace && FLastOutlineFont.Name == font.Name && FLastOutlineFont.Bold == font.Bold &&
        FLastOutlineFont.Italic == font.Italic)
        return *FLastOutlineFace;
    const QString key = QStringLiteral("%1|%2|%3|outline").arg(font.Name).arg(font.Bold).arg(font.Italic);
    auto found = FFaces.constFind(key);
    if (found == FFaces.constEnd())
        found = FFaces.insert(key, openFace(FLibrary->FLib, font, OutlinePixelsPerEm, false));
    FLastOutlineFont = font;
    FLastOutlineFace = found->get();
    return *FLastOutlineFace;
}

int TfrxFontEngine::glyphAdvance(TfrxFace& face, unsigned glyph) {
    if (glyph >= face.FAdvances.size())
        return 0;
    int& cached = face.FAdvances[glyph];
    if (cached < 0) {
        // Default hinting rounds the advance to whole pixels, as the reference device does.
        if (FT_Load_Glyph(face.FFace, glyph, FT_LOAD_DEFAULT) == 0)
            cached = static_cast<int>((face.FFace->glyph->advance.x + 32) >> 6);
        else
            cached = 0;
    }
    return cached;
}

const TfrxCharGlyph& TfrxFontEngine::charGlyph(TfrxFace& face, char16_t unit) {
    if (unit < face.FCharGlyphs.size() && face.FCharGlyphs[unit].Kind != TfrxCharGlyph::Unknown)
        return face.FCharGlyphs[unit];
    return newCharGlyph(face, unit);
}

// A unit whose advances do not fit the table's entry, in a huge font, is left to the shaping.
const TfrxCharGlyph& TfrxFontEngine::newCharGlyph(TfrxFace& face, char16_t unit) {
    if (face.FCharGlyphs.empty())
        face.FCharGlyphs.resize(0x10000);
    TfrxCharGlyph& entry = face.FCharGlyphs[unit];
    entry.Kind = TfrxCharGlyph::Other;
    const QChar character(unit);
    if (character.isSurrogate() || character.isMark())
        return entry;
    long advance = 0;
    shapeText(face.FHbFont, QString(character),
              [&](const hb_glyph_info_t* infos, const hb_glyph_position_t* positions, unsigned count) {
                  if (count != 1 || infos[0].codepoint == 0)
                      return;
                  entry.Glyph = static_cast<quint16>(infos[0].codepoint);
                  advance = std::lround(positions[0].x_advance / 64.0);
                  entry.Kind = TfrxCharGlyph::Plain;
              });
    if (entry.Kind != TfrxCharGlyph::Plain)
        return entry;
    const int width = glyphAdvance(face, entry.Glyph);
    constexpr long Largest = std::numeric_limits<qint16>::max();
    if (advance > Largest || advance < -Largest || width > Largest) {
        entry.Kind = TfrxCharGlyph::Other;
        return entry;
    }
    entry.Advance = static_cast<qint16>(advance);
    entry.Width = static_cast<qint16>(width);
    return entry;
}

bool TfrxFontEngine::isPlain(TfrxFace& face, const QString& text) {
    for (const QChar c : text)
        if (charGlyph(face, c.unicode()).Kind != TfrxCharGlyph::Plain)
            return false;
    return true;
}

// Hands `take` each unit's index and the width up to and including it, while
// the units are plain ones; false at the first other unit. Measuring a report
// is mostly this loop, so it reads the table itself.
template <class TTake> bool TfrxFontEngine::sumPlain(TfrxFace& face, const QString& text, TTake&& take) {
    if (face.FCharGlyphs.empty())
        face.FCharGlyphs.resize(0x10000);
    const TfrxCharGlyph* const table = face.FCharGlyphs.data();
    int width = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t unit = text[i].unicode();
        const TfrxCharGlyph* entry = &table[unit];
        if (entry->Kind == TfrxCharGlyph::Unknown)
            entry = &newCharGlyph(face, unit);
        if (entry->Kind != TfrxCharGlyph::Plain)
            return false;
        width += entry->Width;
        take(i, width);
    }
    return true;
}

// A text of plain units is summed up from the table; the first other unit sends
// the whole text through the shaping.
QVector<int> TfrxFontEngine::shape(TfrxFace& face, const QString& text) {
    QVector<int> advances(text.size(), 0);
    int* const out = advances.data();
    if (sumPlain(face, text, [out](qsizetype i, int upTo) { out[i] = upTo; }))
        return advances;
    return shapeWhole(face, text);
}

QVector<int> TfrxFontEngine::shapeWhole(TfrxFace& face, const QString& text) {
    QVector<int> advances(text.size(), 0);
    shapeText(face.FHbFont, text,
              [&](const hb_glyph_info_t* infos, const hb_glyph_position_t*, unsigned count) {
                  for (unsigned i = 0; i < count; ++i) {
                      const auto cluster = static_cast<int>(infos[i].cluster);
                      if (cluster < advances.size())
                          advances[cluster] += glyphAdvance(face, infos[i].codepoint);
                  }
              });
    for (int i = 1; i < advances.size(); ++i)
        advances[i] += advances[i - 1];
    return advances;
}

TfrxGlyphRun TfrxFontEngine::glyphRun(const TfrxFont& font, const QString& text) {
    QMutexLocker locker(&Lock());
    TfrxFace& f = outlineFace(font);
    TfrxGlyphRun run;
    run.Glyphs.reserve(text.size());
    run.Advances.reserve(text.size());
    run.Characters.reserve(text.size());
    const auto take = [&run, &text](quint16 glyph, int advance, char32_t character) {
        run.Glyphs.push_back(glyph);
        run.Advances.push_back(advance);
        run.Characters.push_back(character);
        run.Width += advance;
        if (run.OnePerCharacter && text[run.Glyphs.size() - 1] == QLatin1Char(' '))
            ++run.Spaces;
    };
    if (isPlain(f, text)) {
        for (const QChar c : text) {
            const TfrxCharGlyph& entry = f.FCharGlyphs[c.unicode()];
            take(entry.Glyph, entry.Advance, c.unicode());
        }
        return run;
    }
    shapeText(f.FHbFont, text,
              [&](const hb_glyph_info_t* infos, const hb_glyph_position_t* positions, unsigned count) {
                  run.OnePerCharacter = count == static_cast<unsigned>(text.size());
                  for (unsigned i = 0; i < count; ++i)
                      take(static_cast<quint16>(infos[i].codepoint),
                           static_cast<int>(std::lround(positions[i].x_advance / 64.0)),
                           ownCharacter(text, infos, count, i));
              });
    return run;
}

QVector<int> TfrxFontEngine::cumulativeWidths(const TfrxFont& font, const QString& text) {
    QMutexLocker locker(&Lock());
    return shape(face(font), text);
}

// The common text, of plain units alone, is summed up without building the
// cumulative widths.
int TfrxFontEngine::textWidth(const TfrxFont& font, const QString& text) {
    QMutexLocker locker(&Lock());
    TfrxFace& measuring = face(font);
    int width = 0;
    if (sumPlain(measuring, text, [&width](qsizetype, int upTo) { width = upTo; }))
        return width;
    return shapeWhole(measuring, text).constLast();
}

QString TfrxFontEngine::faceFile(const TfrxFont& font) {
    QMutexLocker locker(&Lock());
    return face(font).FFile;
}

QString TfrxFontEngine::checkReportFace() {
    const TMatch match = matchFont(TfrxFont());
    if (match.FFamily == QLatin1String("Liberation Sans"))
        return {};
    return QStringLiteral("The report font \"Arial\" resolves to \"%1\" (%2) instead of \"Liberation Sans\"; "
                          "install fonts-liberation2, or report layouts will differ")
        .arg(match.FFamily, match.FFile);
}
