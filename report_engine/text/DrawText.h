#pragma once

#include "report_engine/model/ReportFont.h"

#include <QStringList>
#include <QVector>

// One wrapped line; the flags mark the first and the last line of a paragraph.
struct TfrxTextLine {
    enum { FirstOfParagraph = 1, LastOfParagraph = 2 };
    QString FText;
    int FFlags = 0;
};

// Measures and wraps the text of one text object at 600 per inch. All measuring
// goes through the process-wide lock of the font engine.
class TfrxDrawText {
public:
    void SetFont(const TfrxFont& font) { FFont = font; }
    void SetOptions(bool wordWrap) { FWordWrap = wordWrap; }
    void SetGaps(double paragraphGap, double charSpacing, double lineSpacing);
    // Width of the text rectangle in report units.
    void SetDimensions(double textWidth) { FTextWidth = textWidth; }
    void SetText(const QStringList& paragraphs);
    // A whole text, its paragraphs separated by CR LF, as SetText splits it.
    void SetWholeText(const QString& text);

    const QVector<TfrxTextLine>& GetWrappedText() const { return FLines; }
    QStringList GetWrappedLines() const;
    double LineHeight() const;
    double TextHeight() const;
    // Widest wrapped line in report units.
    double CalcWidth() const;

    // Splits one paragraph into lines at the given widths (600-per-inch pixels);
    // cumulative holds the advance up to and including each character.
    static QStringList wrapParagraph(const QString& text, const QVector<int>& cumulative, int firstWidth,
                                     int width, bool wordWrap);

private:
    int extraPerCharacter() const;
    QVector<int> measure(const QString& text) const;
    // The same as the last of measure's widths.
    int wholeWidth(const QString& text) const;
    void addParagraph(const QString& paragraph);

    TfrxFont FFont;
    bool FWordWrap = true;
    double FParagraphGap = 0;
    double FCharSpacing = 0;
    double FLineSpacing = 2;
    double FTextWidth = 0;
    QVector<TfrxTextLine> FLines;
};
