#include "report_engine/model/MemoView.h"

#include "report_engine/base/ReportUnits.h"
#include "report_engine/model/EnumProperty.h"
#include "report_engine/run/DataSet.h"
#include "report_engine/run/Expression.h"
#include "report_engine/run/RunContext.h"
#include "report_engine/text/DrawText.h"

using frxProp::enumName;
using frxProp::enumValue;

namespace {
const char* const HAlignNames[] = {"haLeft", "haRight", "haCenter", "haBlock"};
const char* const VAlignNames[] = {"vaTop", "vaBottom", "vaCenter"};
const char* const FormatKindNames[] = {"fkText", "fkNumeric", "fkDateTime", "fkBoolean"};
} // namespace

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
    drawText.SetWholeText(Text);
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

void TfrxCustomMemoView::writeProperties(TfrxPropertyList& list) const {
    TfrxStretcheable::writeProperties(list);
    const auto flag = [&list](const char* name, bool value) {
        list.append({QLatin1String(name), frxProp::fromBool(value)});
    };
    const auto number = [&list](const char* name, double value) {
        list.append({QLatin1String(name), frxProp::fromFloat(value)});
    };
    list.append({QStringLiteral("Text"), Text});
    flag("AllowExpressions", AllowExpressions);
    list.append({QStringLiteral("ExpressionDelimiters"), ExpressionDelimiters});
    list.append({QStringLiteral("DisplayFormat.Kind"), enumName(DisplayFormat.Kind, FormatKindNames)});
    list.append({QStringLiteral("DisplayFormat.FormatStr"), DisplayFormat.FormatStr});
    list.append({QStringLiteral("DisplayFormat.DecimalSeparator"), DisplayFormat.DecimalSeparator});
    list.append({QStringLiteral("DisplayFormat.ThousandSeparator"), DisplayFormat.ThousandSeparator});
    list.append({QStringLiteral("HAlign"), enumName(HAlign, HAlignNames)});
    list.append({QStringLiteral("VAlign"), enumName(VAlign, VAlignNames)});
    flag("WordWrap", WordWrap);
    flag("WordBreak", WordBreak);
    number("GapX", GapX);
    number("GapY", GapY);
    number("LineSpacing", LineSpacing);
    number("CharSpacing", CharSpacing);
    number("ParagraphGap", ParagraphGap);
    flag("Clipped", Clipped);
    flag("Wysiwyg", Wysiwyg);
    flag("AllowHTMLTags", AllowHTMLTags);
    flag("HideZeros", HideZeros);
    flag("SuppressRepeated", SuppressRepeated);
    flag("AutoWidth", AutoWidth);
    list.append({QStringLiteral("Rotation"), QString::number(Rotation)});
}

bool TfrxCustomMemoView::readProperty(const QString& name, const QString& value) {
    const std::pair<const char*, bool*> flags[] = {{"AllowExpressions", &AllowExpressions},
                                                   {"WordWrap", &WordWrap},
                                                   {"WordBreak", &WordBreak},
                                                   {"Clipped", &Clipped},
                                                   {"Wysiwyg", &Wysiwyg},
                                                   {"AllowHTMLTags", &AllowHTMLTags},
                                                   {"HideZeros", &HideZeros},
                                                   {"SuppressRepeated", &SuppressRepeated},
                                                   {"AutoWidth", &AutoWidth}};
    for (const auto& [flagName, target] : flags)
        if (name == QLatin1String(flagName)) {
            *target = frxProp::toBool(value);
            return true;
        }
    const std::pair<const char*, double*> numbers[] = {{"GapX", &GapX},
                                                       {"GapY", &GapY},
                                                       {"LineSpacing", &LineSpacing},
                                                       {"CharSpacing", &CharSpacing},
                                                       {"ParagraphGap", &ParagraphGap}};
    for (const auto& [numberName, target] : numbers)
        if (name == QLatin1String(numberName)) {
            *target = frxProp::toFloat(value);
            return true;
        }
    if (name == QLatin1String("Text") || name == QLatin1String("Memo"))
        Text = value;
    else if (name == QLatin1String("ExpressionDelimiters"))
        ExpressionDelimiters = value;
    else if (name == QLatin1String("DisplayFormat.Kind"))
        DisplayFormat.Kind = enumValue<TfrxFormatKind>(value, FormatKindNames);
    else if (name == QLatin1String("DisplayFormat.FormatStr"))
        DisplayFormat.FormatStr = value;
    else if (name == QLatin1String("DisplayFormat.DecimalSeparator"))
        DisplayFormat.DecimalSeparator = value;
    else if (name == QLatin1String("DisplayFormat.ThousandSeparator"))
        DisplayFormat.ThousandSeparator = value;
    else if (name == QLatin1String("HAlign"))
        HAlign = enumValue<TfrxHAlign>(value, HAlignNames);
    else if (name == QLatin1String("VAlign"))
        VAlign = enumValue<TfrxVAlign>(value, VAlignNames);
    else if (name == QLatin1String("Rotation"))
        Rotation = frxProp::toInt(value);
    else
        return TfrxStretcheable::readProperty(name, value);
    return true;
}
