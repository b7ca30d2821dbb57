// Reading and writing the stored properties of views and text objects.
#include "report_engine/base/ReportError.h"
#include "report_engine/model/MemoView.h"

#include <QStringList>

namespace {
template <typename TEnum, int N> QString enumName(TEnum value, const char* const (&names)[N]) {
    return QLatin1String(names[static_cast<int>(value)]);
}

template <typename TEnum, int N> TEnum enumValue(const QString& text, const char* const (&names)[N]) {
    for (int i = 0; i < N; ++i)
        if (text == QLatin1String(names[i]))
            return static_cast<TEnum>(i);
    throw EfrxError(QStringLiteral("Unknown value \"%1\"").arg(text));
}

const char* const StretchNames[] = {"smDontStretch", "smActualHeight", "smMaxHeight"};
const char* const HAlignNames[] = {"haLeft", "haRight", "haCenter", "haBlock"};
const char* const VAlignNames[] = {"vaTop", "vaBottom", "vaCenter"};
const char* const FormatKindNames[] = {"fkText", "fkNumeric", "fkDateTime", "fkBoolean"};
const char* const FrameSideNames[] = {"ftLeft", "ftRight", "ftTop", "ftBottom"};

QString frameTyp(int typ) {
    QStringList sides;
    for (int i = 0; i < 4; ++i)
        if (typ & (1 << i))
            sides << QLatin1String(FrameSideNames[i]);
    return sides.join(QLatin1Char(','));
}

int frameTypValue(const QString& text) {
    int typ = 0;
    for (const QString& side : text.split(QLatin1Char(','), Qt::SkipEmptyParts))
        typ |= 1 << static_cast<int>(enumValue<TfrxFrameType>(side.trimmed(), FrameSideNames));
    return typ;
}

QString colorText(QRgb color) {
    return QStringLiteral("0x%1").arg(color, 8, 16, QLatin1Char('0'));
}
} // namespace

void TfrxView::writeProperties(TfrxPropertyList& list) const {
    TfrxComponent::writeProperties(list);
    list.append({QStringLiteral("Frame.Typ"), frameTyp(Frame.Typ)});
    list.append({QStringLiteral("Frame.Width"), frxProp::fromFloat(Frame.Width)});
    list.append({QStringLiteral("Frame.Color"), colorText(Frame.Color)});
    list.append({QStringLiteral("Frame.Style"), Frame.Style});
    list.append({QStringLiteral("Frame.DropShadow"), frxProp::fromBool(Frame.DropShadow)});
    list.append({QStringLiteral("Frame.ShadowWidth"), frxProp::fromFloat(Frame.ShadowWidth)});
    list.append({QStringLiteral("DataSetName"), DataSetName});
    list.append({QStringLiteral("DataField"), DataField});
}

bool TfrxView::readProperty(const QString& name, const QString& value) {
    if (name == QLatin1String("Frame.Typ"))
        Frame.Typ = frameTypValue(value);
    else if (name == QLatin1String("Frame.Width"))
        Frame.Width = frxProp::toFloat(value);
    else if (name == QLatin1String("Frame.Color"))
        Frame.Color = static_cast<QRgb>(value.toUInt(nullptr, 0));
    else if (name == QLatin1String("Frame.Style"))
        Frame.Style = value;
    else if (name == QLatin1String("Frame.DropShadow"))
        Frame.DropShadow = frxProp::toBool(value);
    else if (name == QLatin1String("Frame.ShadowWidth"))
        Frame.ShadowWidth = frxProp::toFloat(value);
    else if (name == QLatin1String("DataSetName") || name == QLatin1String("DataSet"))
        DataSetName = value;
    else if (name == QLatin1String("DataField"))
        DataField = value;
    else
        return TfrxComponent::readProperty(name, value);
    return true;
}

void TfrxStretcheable::writeProperties(TfrxPropertyList& list) const {
    TfrxView::writeProperties(list);
    list.append({QStringLiteral("StretchMode"), enumName(StretchMode, StretchNames)});
}

bool TfrxStretcheable::readProperty(const QString& name, const QString& value) {
    if (name != QLatin1String("StretchMode"))
        return TfrxView::readProperty(name, value);
    StretchMode = enumValue<TfrxStretchMode>(value, StretchNames);
    return true;
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
