#include "report_engine/model/MemoView.h"

#include "report_engine/base/ReportUnits.h"
#include "report_engine/run/DataSet.h"
#include "report_engine/run/Expression.h"
#include "report_engine/run/RunContext.h"
#include "report_engine/text/DrawText.h"

void TfrxCustomMemoView::BeforePrint() {
    FSavedLeft = Left;
    FSavedTop = Top;
    FSavedWidth = Width;
    FSavedHeight = Height;
    if (!IsDataField())
        FSavedText = Text;
}

void TfrxCustomMemoView::AfterPrint() {
    Left = FSavedLeft;
    Top = FSavedTop;
    Width = FSavedWidth;
    Height = FSavedHeight;
    if (!IsDataField())
        Text = FSavedText;
}

void TfrxCustomMemoView::GetData(TfrxRunContext& context) {
    context.setCurrentObject(Name);
    if (IsDataField()) {
        if (DisplayFormat.Kind == TfrxFormatKind::fkText)
            Text = DataSet->GetDisplayText(DataField);
        else
            Text = frxFormatData(DataSet->GetValue(DataField), DisplayFormat);
        return;
    }
    const QStringView open = frxSplitDelimiters(ExpressionDelimiters).first;
    if (!AllowExpressions || open.isEmpty() || !Text.contains(open))
        return;
    Text = frxExpandExpressions(Text, ExpressionDelimiters, [&](const QString& expression, int) {
        const QString name = expression.trimmed();
        // Page totals and copy names are only known when pages are drawn or exported.
        if (name.compare(QLatin1String("TOTALPAGES#"), Qt::CaseInsensitive) == 0)
            return QStringLiteral("[TotalPages#]");
        if (name.compare(QLatin1String("COPYNAME#"), Qt::CaseInsensitive) == 0)
            return QStringLiteral("[CopyName#]");
        const QVariant value = context.Calc(expression);
        if (HideZeros && value.canConvert<double>() && value.typeId() != QMetaType::QString &&
            value.toDouble() == 0)
            return QString();
        return frxFormatData(value, DisplayFormat);
    });
}

double TfrxCustomMemoView::TextWidth() const {
    const double frameLeft = (Frame.Typ & ftLeft) ? frxRound((Frame.Width - 1) / 2) : 0;
    const double frameRight = (Frame.Typ & ftRight) ? frxRound(Frame.Width / 2) : 0;
    return frxRound(Width) - frameLeft - frameRight - 2 * frxRound(GapX) + 1;
}

QVector<TfrxTextLine> TfrxCustomMemoView::WrappedText() const {
    TfrxDrawText drawText;
    drawText.SetFont(usedFont());
    drawText.SetOptions(WordWrap);
    drawText.SetGaps(ParagraphGap, CharSpacing, LineSpacing);
    drawText.SetDimensions(TextWidth());
    drawText.SetText(Text.isEmpty() ? QStringList() : Text.split(QStringLiteral("\r\n")));
    return drawText.GetWrappedText();
}

QStringList TfrxCustomMemoView::WrappedLines() const {
    QStringList lines;
    for (const TfrxTextLine& line : WrappedText())
        lines.append(line.FText);
    return lines;
}

double TfrxCustomMemoView::LineHeight() const {
    return usedFont().PixelsAt600() / frPpiScale + LineSpacing;
}

double TfrxCustomMemoView::HeightForLines(int lines) const {
    double textHeight = lines * LineHeight();
    if (LineSpacing < 0)
        textHeight -= LineSpacing;
    double height = textHeight + 2 * GapY;
    if (Frame.Typ & ftTop)
        height += (Frame.Width - 1) / 2;
    if (Frame.Typ & ftBottom)
        height += Frame.Width / 2;
    if (Frame.DropShadow)
        height += Frame.ShadowWidth;
    return frxRound(height);
}

double TfrxCustomMemoView::CalcHeight() {
    return HeightForLines(static_cast<int>(WrappedLines().size()));
}
