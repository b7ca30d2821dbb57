#include "report_engine/model/View.h"

#include "report_engine/model/EnumProperty.h"

#include <QStringList>

using frxProp::enumName;
using frxProp::enumValue;

namespace {
const char* const StretchNames[] = {"smDontStretch", "smActualHeight", "smMaxHeight"};
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
