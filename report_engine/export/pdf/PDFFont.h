#pragma once

#include "report_engine/model/ReportFont.h"
#include "report_engine/text/FontEngine.h"

#include <QByteArray>
#include <QString>
#include <QVector>
#include <memory>
#include <vector>

// The outline metrics of a face in thousandths of an em, as a PDF font
// descriptor gives them.
struct TfrxPDFFontMetrics {
    int BoxLeft = 0;
    int BoxBottom = 0;
    int BoxRight = 0;
    int BoxTop = 0;
    int ItalicAngle = 0;
    int Ascent = 0;
    int Descent = 0;
    int Leading = 0;
    int CapHeight = 0;
    int StemV = 0;
    int AvgWidth = 0;
    int MaxWidth = 0;
};

// One font of a PDF file: the metrics of a report font's face and the glyphs
// used so far (in the order first met) with their widths and characters.
class TfrxPDFFont {
public:
    TfrxPDFFont(const TfrxFont& font, int index);
    ~TfrxPDFFont();

    const TfrxFont& SourceFont() const { return FFont; }
    QString ResourceName() const { return QStringLiteral("/F%1").arg(FIndex); }
    int Index() const { return FIndex; }
    // The font name of the file: the face's family, its style, PDF name escapes.
    QByteArray PdfName() const;
    // Six capital letters that mark the embedded font as a subset ("ABCDEF+Arial"),
    // the same for the same glyphs, so one export's file equals the next one's.
    QByteArray SubsetTag() const;
    const TfrxPDFFontMetrics& Metrics() const { return FMetrics; }
    // The face's TrueType data reduced to the glyphs used so far.
    QByteArray SubsetData() const;

    // Records the glyphs of a line (shaped by the font engine) not used before.
    void AddGlyphs(const TfrxGlyphRun& run);

    const std::vector<quint16>& UsedAlphabet() const { return FUsedAlphabet; }
    const std::vector<int>& Widths() const { return FWidths; }
    // The character each glyph shows: the one it was drawn for alone, wherever
    // the document first did so; a space for a glyph only ever seen as part of a
    // ligature, a cluster of several characters or a character the face lacks.
    const std::vector<char32_t>& UsedAlphabetUnicode() const { return FUsedAlphabetUnicode; }

    int Reference = 0; // object number, reserved when a page first uses the font

private:
    TfrxFont FFont;
    int FIndex;
    TfrxPDFFontMetrics FMetrics;
    QString FFile;
    void record(quint16 glyph, int advance, char32_t character);

    std::vector<quint16> FUsedAlphabet;
    std::vector<int> FSlot;    // per glyph of the face: its place in the alphabet + 1, 0 when unused
    std::vector<bool> FMapped; // per place in the alphabet: its character is the glyph's own
    std::vector<int> FWidths;
    std::vector<char32_t> FUsedAlphabetUnicode;
};
