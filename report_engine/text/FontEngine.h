#pragma once

#include "report_engine/model/ReportFont.h"

#include <QHash>
#include <QRecursiveMutex>
#include <QString>
#include <QVector>
#include <memory>

struct TfrxFace;
struct TfrxCharGlyph;

// A line of text as glyphs of the font's outline face, with the advances the face
// itself declares (unhinted, thousandths of an em): what drawing and the PDF
// font place, as opposed to the whole-pixel widths that line breaks use.
struct TfrxGlyphRun {
    QVector<quint16> Glyphs;
    QVector<int> Advances;
    // Per glyph, the character it shows on its own; 0 for a ligature, a character
    // drawn with several glyphs, or the empty glyph of characters the face lacks.
    QVector<char32_t> Characters;
    int Width = 0;
    int Spaces = 0; // counted only when each character has its own glyph
    bool OnePerCharacter = true;
};

// The one text measurer of the process: FreeType faces found through fontconfig,
// shaped by HarfBuzz without kerning or ligatures, with whole-pixel hinted advances
// at 600 per inch. Each face keeps the glyph and advance of every character met,
// so the common text of a report, made of such characters alone, is looked up
// rather than shaped. Callers hold Lock() while measuring.
class TfrxFontEngine {
public:
    static TfrxFontEngine& instance();
    static QRecursiveMutex& Lock();

    // Cumulative advance of the characters 0..i for each UTF-16 unit i of text.
    QVector<int> cumulativeWidths(const TfrxFont& font, const QString& text);
    int textWidth(const TfrxFont& font, const QString& text);
    // The line shaped into glyphs of the face's outlines.
    TfrxGlyphRun glyphRun(const TfrxFont& font, const QString& text);

    // The file fontconfig gives for a font; empty when nothing matches.
    QString faceFile(const TfrxFont& font);
    // Empty when "Arial" resolves to Liberation Sans, else a message saying what is wrong.
    QString checkReportFace();

    ~TfrxFontEngine();

private:
    TfrxFontEngine();
    TfrxFace& face(const TfrxFont& font);
    static int glyphAdvance(TfrxFace& face, unsigned glyph);
    // What the face makes of the unit shaped on its own, shaped when first met.
    static const TfrxCharGlyph& charGlyph(TfrxFace& face, char16_t unit);
    static const TfrxCharGlyph& newCharGlyph(TfrxFace& face, char16_t unit);
    // Whether every unit of the text is a plain one (see TfrxCharGlyph).
    static bool isPlain(TfrxFace& face, const QString& text);
    template <class TTake> static bool sumPlain(TfrxFace& face, const QString& text, TTake&& take);
    QVector<int> shape(TfrxFace& face, const QString& text);
    QVector<int> shapeWhole(TfrxFace& face, const QString& text);
    TfrxFace& outlineFace(const TfrxFont& font);

    struct TLibrary;
    std::unique_ptr<TLibrary> FLibrary;
    QHash<QString, std::shared_ptr<TfrxFace>> FFaces;
    TfrxFont FLastFont;
    TfrxFace* FLastFace = nullptr;
    TfrxFont FLastOutlineFont;
    TfrxFace* FLastOutlineFace = nullptr;
};
