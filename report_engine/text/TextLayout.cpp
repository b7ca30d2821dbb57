#include "report_engine/text/TextLayout.h"

#include "report_engine/model/MemoView.h"

TfrxTextBlock frxLayoutText(const TfrxCustomMemoView& memo) {
    TfrxTextBlock block;
    const QVector<TfrxTextLine> lines = memo.WrappedText();
    block.Font = memo.usedFont();
    block.Size = block.Font.Size();
    block.Colour = block.Font.Color == 0 ? 0xff000000 : block.Font.Color;
    block.CharSpacing = memo.CharSpacing;
    const int size = block.Size;
    const double lineHeight = memo.LineHeight();
    // The first baseline sits a tenth of the point size above the line's foot.
    const double top = memo.AbsTop() + memo.GapY - 0.1 * size;
    const double room = memo.Height - 2 * memo.GapY;
    const auto n = static_cast<int>(lines.size());
    TfrxFontEngine& fonts = TfrxFontEngine::instance();
    for (int i = 0; i < n; ++i) {
        const TfrxTextLine& line = lines[i];
        TfrxPlacedLine placed;
        placed.Text = line.FText;
        placed.Run = fonts.glyphRun(block.Font, line.FText);
        placed.Width = block.RunWidth(placed.Run.Width);
        const double gap = (line.FFlags & TfrxTextLine::FirstOfParagraph) ? memo.ParagraphGap : 0;
        const double available = memo.Width - 2 * memo.GapX - gap;
        double x = memo.AbsLeft() + memo.GapX + gap;
        if (memo.HAlign == TfrxHAlign::haRight)
            x += available - placed.Width - (line.FText.size() - 1) * memo.CharSpacing * 0.75;
        else if (memo.HAlign == TfrxHAlign::haCenter)
            x += (available - placed.Width) / 2;
        double y = top + (i + 1) * lineHeight;
        if (memo.VAlign == TfrxVAlign::vaBottom)
            y = room + top - (n - i - 1) * lineHeight;
        else if (memo.VAlign == TfrxVAlign::vaCenter)
            y = top + (room - n * lineHeight) / 2 + (i + 1) * lineHeight;
        placed.X = x;
        placed.Y = y - memo.LineSpacing;
        if (memo.HAlign == TfrxHAlign::haBlock && !(line.FFlags & TfrxTextLine::LastOfParagraph) &&
            placed.Run.Spaces > 0)
            placed.Spare = available - placed.Width;
        block.Lines.push_back(std::move(placed));
    }
    return block;
}

std::vector<TfrxFrameLine> frxFrameLines(const TfrxCustomMemoView& memo) {
    const TfrxFrame& frame = memo.Frame;
    const double l = memo.AbsLeft();
    const double t = memo.AbsTop();
    const double r = l + memo.Width;
    const double b = t + memo.Height;
    // Wide horizontal sides reach over the corners so the corners are closed.
    const double e = frame.Width > 1 ? frame.Width / 2 : 0;
    const struct {
        int Side;
        TfrxFrameLine Line;
    } sides[] = {{ftLeft, {l, t, l, b, frame.Width, frame.Color}},
                 {ftRight, {r, t, r, b, frame.Width, frame.Color}},
                 {ftTop, {l - e, t, r + e, t, frame.Width, frame.Color}},
                 {ftBottom, {l - e, b, r + e, b, frame.Width, frame.Color}}};
    std::vector<TfrxFrameLine> lines;
    for (const auto& side : sides)
        if (frame.Typ & side.Side)
            lines.push_back(side.Line);
    return lines;
}
