#include "report_engine/text/DrawText.h"

#include "report_engine/base/ReportUnits.h"
#include "report_engine/text/FontEngine.h"

void TfrxDrawText::SetGaps(double paragraphGap, double charSpacing, double lineSpacing) {
    FParagraphGap = paragraphGap;
    FCharSpacing = charSpacing;
    FLineSpacing = lineSpacing;
}

int TfrxDrawText::extraPerCharacter() const {
    return static_cast<int>(frxRound(frPpiScale * FCharSpacing));
}

QVector<int> TfrxDrawText::measure(const QString& text) const {
    QVector<int> widths = TfrxFontEngine::instance().cumulativeWidths(FFont, text);
    const int extra = extraPerCharacter();
    if (extra != 0)
        for (int i = 0; i < widths.size(); ++i)
            widths[i] += extra * (i + 1);
    return widths;
}

int TfrxDrawText::wholeWidth(const QString& text) const {
    return TfrxFontEngine::instance().textWidth(FFont, text) +
           extraPerCharacter() * static_cast<int>(text.size());
}

void TfrxDrawText::SetText(const QStringList& paragraphs) {
    QMutexLocker locker(&TfrxFontEngine::Lock());
    FLines.clear();
    for (const QString& paragraph : paragraphs)
        addParagraph(paragraph);
}

// A paragraph that fits stays one line, kept as it is. Most texts of a report
// fit, so the whole width is taken first and the widths up to each character
// only for a paragraph that is to be broken.
void TfrxDrawText::addParagraph(const QString& paragraph) {
    constexpr int Whole = TfrxTextLine::FirstOfParagraph | TfrxTextLine::LastOfParagraph;
    // An empty paragraph still takes one line.
    const QString text = paragraph.isEmpty() ? QStringLiteral(" ") : paragraph;
    const int firstWidth = static_cast<int>(frxRound(frPpiScale * (FTextWidth - FParagraphGap)));
    if (!FWordWrap || text.size() <= 1 || wholeWidth(text) < firstWidth) {
        FLines.append({text, Whole});
        return;
    }
    const int width = static_cast<int>(frxRound(frPpiScale * FTextWidth));
    const QVector<int> cumulative = measure(text);
    const QStringList lines = wrapParagraph(text, cumulative, firstWidth, width, FWordWrap);
    FLines.reserve(FLines.size() + lines.size());
    for (int i = 0; i < lines.size(); ++i) {
        int flags = 0;
        if (i == 0)
            flags |= TfrxTextLine::FirstOfParagraph;
        if (i == lines.size() - 1)
            flags |= TfrxTextLine::LastOfParagraph;
        FLines.append({lines[i], flags});
    }
}

// Most texts of a report are one paragraph: they are wrapped without being split
// into a list first.
void TfrxDrawText::SetWholeText(const QString& text) {
    if (text.isEmpty() || text.contains(QLatin1Char('\r'))) {
        SetText(text.isEmpty() ? QStringList() : text.split(QStringLiteral("\r\n")));
        return;
    }
    QMutexLocker locker(&TfrxFontEngine::Lock());
    FLines.clear();
    addParagraph(text);
}

QStringList TfrxDrawText::wrapParagraph(const QString& text, const QVector<int>& cumulative, int firstWidth,
                                        int width, bool wordWrap) {
    const int length = static_cast<int>(text.size());
    if (!wordWrap || length <= 1 || cumulative.constLast() < firstWidth)
        return {text};
    QStringList lines;
    int start = 0;
    int available = firstWidth;
    int lastSpace = -1;
    int i = 0;
    while (i < length) {
        const int before = start > 0 ? cumulative[start - 1] : 0;
        if (text[i] == QLatin1Char(' ') && i > start)
            lastSpace = i;
        if (cumulative[i] - before <= available) {
            ++i;
            continue;
        }
        if (lastSpace > start) {
            // Break at the last space: it belongs to neither line.
            lines.append(text.mid(start, lastSpace - start));
            start = lastSpace + 1;
        } else if (i == start) {
            lines.append(text.mid(i, 1));
            start = i + 1;
        } else {
            lines.append(text.mid(start, i - start));
            start = i;
        }
        i = start;
        lastSpace = -1;
        available = width;
    }
    if (start < length)
        lines.append(text.mid(start));
    return lines;
}

QStringList TfrxDrawText::GetWrappedLines() const {
    QStringList result;
    for (const TfrxTextLine& line : FLines)
        result.append(line.FText);
    return result;
}

double TfrxDrawText::LineHeight() const {
    return FFont.PixelsAt600() / frPpiScale + FLineSpacing;
}

double TfrxDrawText::TextHeight() const {
    double height = FLines.size() * LineHeight();
    if (FLineSpacing < 0)
        height -= FLineSpacing;
    return height;
}

double TfrxDrawText::CalcWidth() const {
    int widest = 0;
    for (const TfrxTextLine& line : FLines)
        widest = std::max(widest, TfrxFontEngine::instance().textWidth(FFont, line.FText));
    return widest / frPpiScale;
}
