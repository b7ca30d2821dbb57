#include "report_engine/model/Component.h"

#include "report_engine/base/ReportError.h"

#include <QStringList>
#include <charconv>
#include <cmath>

TfrxComponent::TfrxComponent(const TfrxComponent& other)
    : Name(other.Name), Left(other.Left), Top(other.Top), Width(other.Width), Height(other.Height),
      Font(other.Font), ParentFont(other.ParentFont), Visible(other.Visible) {}

std::unique_ptr<TfrxComponent> TfrxComponent::clone() const {
    std::unique_ptr<TfrxComponent> copy = cloneAlone();
    for (const auto& child : FObjects)
        copy->add(child->clone());
    return copy;
}

TfrxComponent* TfrxComponent::add(std::unique_ptr<TfrxComponent> child) {
    child->FParent = this;
    FObjects.push_back(std::move(child));
    return FObjects.back().get();
}

std::unique_ptr<TfrxComponent> TfrxComponent::takeLast() {
    std::unique_ptr<TfrxComponent> last = std::move(FObjects.back());
    FObjects.pop_back();
    last->FParent = nullptr;
    return last;
}

TfrxComponent* TfrxComponent::findObject(const QString& name) const {
    for (const auto& child : FObjects) {
        if (child->Name.compare(name, Qt::CaseInsensitive) == 0)
            return child.get();
        if (TfrxComponent* found = child->findObject(name))
            return found;
    }
    return nullptr;
}

double TfrxComponent::AbsLeft() const {
    return FParent ? FParent->AbsLeft() + Left : Left;
}

double TfrxComponent::AbsTop() const {
    return FParent ? FParent->AbsTop() + Top : Top;
}

const TfrxFont& TfrxComponent::usedFont() const {
    return ParentFont && FParent ? FParent->usedFont() : Font;
}

namespace {
QString fontStyle(const TfrxFont& font) {
    QStringList styles;
    if (font.Bold)
        styles << QStringLiteral("fsBold");
    if (font.Italic)
        styles << QStringLiteral("fsItalic");
    if (font.Underline)
        styles << QStringLiteral("fsUnderline");
    if (font.StrikeOut)
        styles << QStringLiteral("fsStrikeOut");
    return styles.join(QLatin1Char(','));
}

bool readFont(TfrxFont& font, const QString& name, const QString& value) {
    if (name == QLatin1String("Font.Name"))
        font.Name = value;
    else if (name == QLatin1String("Font.Height"))
        font.Height = frxProp::toInt(value);
    else if (name == QLatin1String("Font.Color"))
        font.Color = static_cast<QRgb>(value.toUInt(nullptr, 0));
    else if (name == QLatin1String("Font.Charset"))
        font.Charset = frxProp::toInt(value);
    else if (name == QLatin1String("Font.Style")) {
        font.Bold = value.contains(QLatin1String("fsBold"));
        font.Italic = value.contains(QLatin1String("fsItalic"));
        font.Underline = value.contains(QLatin1String("fsUnderline"));
        font.StrikeOut = value.contains(QLatin1String("fsStrikeOut"));
    } else
        return false;
    return true;
}
} // namespace

void TfrxComponent::writeProperties(TfrxPropertyList& list) const {
    list.append({QStringLiteral("Name"), Name});
    list.append({QStringLiteral("Left"), frxProp::fromFloat(Left)});
    list.append({QStringLiteral("Top"), frxProp::fromFloat(Top)});
    list.append({QStringLiteral("Width"), frxProp::fromFloat(Width)});
    list.append({QStringLiteral("Height"), frxProp::fromFloat(Height)});
    if (!Visible)
        list.append({QStringLiteral("Visible"), frxProp::fromBool(Visible)});
    if (!ParentFont) {
        list.append({QStringLiteral("Font.Name"), Font.Name});
        list.append({QStringLiteral("Font.Height"), QString::number(Font.Height)});
        list.append({QStringLiteral("Font.Style"), fontStyle(Font)});
        list.append(
            {QStringLiteral("Font.Color"), QStringLiteral("0x%1").arg(Font.Color, 8, 16, QLatin1Char('0'))});
        list.append({QStringLiteral("Font.Charset"), QString::number(Font.Charset)});
        list.append({QStringLiteral("ParentFont"), frxProp::fromBool(false)});
    }
}

bool TfrxComponent::readProperty(const QString& name, const QString& value) {
    if (name == QLatin1String("Name"))
        Name = value;
    else if (name == QLatin1String("Left"))
        Left = frxProp::toFloat(value);
    else if (name == QLatin1String("Top"))
        Top = frxProp::toFloat(value);
    else if (name == QLatin1String("Width"))
        Width = frxProp::toFloat(value);
    else if (name == QLatin1String("Height"))
        Height = frxProp::toFloat(value);
    else if (name == QLatin1String("Visible"))
        Visible = frxProp::toBool(value);
    else if (name == QLatin1String("ParentFont"))
        ParentFont = frxProp::toBool(value);
    else if (readFont(Font, name, value))
        ParentFont = false; // an object with a font of its own no longer follows its parent
    else
        return false;
    return true;
}

namespace frxProp {
QString fromBool(bool value) {
    return value ? QStringLiteral("true") : QStringLiteral("false");
}

bool toBool(const QString& text) {
    if (text.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0)
        return true;
    if (text.compare(QLatin1String("false"), Qt::CaseInsensitive) == 0)
        return false;
    throw EfrxError(QStringLiteral("\"%1\" is not a boolean value").arg(text));
}

QString fromFloat(double value) {
    // The shortest text that reads back as exactly this number.
    char text[32];
    const auto result = std::to_chars(text, text + sizeof text, value);
    return QString::fromLatin1(text, result.ptr - text);
}

double toFloat(const QString& text) {
    bool ok = false;
    const double value = text.toDouble(&ok);
    if (!ok || !std::isfinite(value))
        throw EfrxError(QStringLiteral("\"%1\" is not a number").arg(text));
    return value;
}

int toInt(const QString& text) {
    bool ok = false;
    const int value = text.toInt(&ok);
    if (!ok)
        throw EfrxError(QStringLiteral("\"%1\" is not an integer").arg(text));
    return value;
}
} // namespace frxProp
