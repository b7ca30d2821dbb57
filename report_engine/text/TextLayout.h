#pragma once

#include "report_engine/model/ReportFont.h"
#include "report_engine/text/FontEngine.h"

#include <QRgb>
#include <QString>
#include <vector>

class TfrxCustomMemoView;

// One line of a text object where every output puts it: the baseline's start in
// report units on the page, its width and, for a justified line, the width that
// its spaces share.
struct TfrxPlacedLine {
    QString Text;
    TfrxGlyphRun Run;
    double X = 0;
    double Y = 0;
    double Width = 0;
    double Spare = 0; // justified lines only
};

// The lines of one text object as the screen, the printer and the PDF file all
// place them; each output only converts units and draws.
struct TfrxTextBlock {
    TfrxFont Font;
    int Size = 10; // points
    QRgb Colour = 0xff000000;
    double CharSpacing = 0; // report units after every glyph
    std::vector<TfrxPlacedLine> Lines;

    // Underline and strike-out lines, in ems of the font size from the baseline,
    // and their thickness.
    static constexpr double UnderlineDepth = 0.12;
    static constexpr double StrikeOutHeight = 0.28;
    static constexpr double RuleThickness = 0.08;
    // Pixels per em of the font at 96 per inch.
    double PixelsPerEm() const { return Size / 0.75; }
    // A run's advance in report units.
    double RunWidth(int thousandths) const { return Size * thousandths / 1000.0 / 0.75; }
};

// Wraps the object's text, shapes every line and places it by the object's
// alignment, gaps and spacing.
TfrxTextBlock frxLayoutText(const TfrxCustomMemoView& memo);

// One side of an object's frame as a line from (X1, Y1) to (X2, Y2), report units.
struct TfrxFrameLine {
    double X1, Y1, X2, Y2;
    double Width;
    QRgb Colour;
};

// The frame sides the object shows, in the order left, right, top, bottom.
std::vector<TfrxFrameLine> frxFrameLines(const TfrxCustomMemoView& memo);
