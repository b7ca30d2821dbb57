#include "framework/ValidatorNumber.h"

#include "data/FormatSettings.h"
#include "ui/DialogService.h"

#include <QRegularExpression>
#include <cmath>
#include <limits>
#include <optional>

namespace {

std::optional<qint32> integerOf(const QString& text) {
    static const QRegularExpression pattern(
        QStringLiteral("^ *([+-]?)(?:([0-9]+)|(?:\\$|0[xX])([0-9A-Fa-f]+))$"));
    const QRegularExpressionMatch match = pattern.match(text);
    if (!match.hasMatch()) {
        return std::nullopt;
    }
    const bool decimal = match.capturedLength(2) > 0;
    bool ok = false;
    const qulonglong magnitude =
        decimal ? match.captured(2).toULongLong(&ok) : match.captured(3).toULongLong(&ok, 16);
    if (!ok || magnitude > qulonglong(std::numeric_limits<qint32>::max()) + 1) {
        return std::nullopt;
    }
    const qint64 value = match.captured(1) == QLatin1String("-") ? -qint64(magnitude) : qint64(magnitude);
    if (value > std::numeric_limits<qint32>::max()) {
        return std::nullopt;
    }
    return qint32(value);
}

std::optional<double> floatOf(const QString& text) {
    const QString separator = QRegularExpression::escape(QString(FormatSettings().DecimalSeparator));
    const QRegularExpression pattern(
        QStringLiteral("^[+-]?(?:[0-9]+(?:%1[0-9]*)?|%1[0-9]+)(?:[eE][+-]?[0-9]+)?$").arg(separator));
    const QString trimmed = text.trimmed();
    if (!pattern.match(trimmed).hasMatch()) {
        return std::nullopt;
    }
    QString plain = trimmed;
    plain.replace(FormatSettings().DecimalSeparator, QLatin1Char('.'));
    bool ok = false;
    const double value = plain.toDouble(&ok);
    if (!ok || !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

} // namespace

bool TValidatorNumber::tryCorrectInteger(const QString& number) {
    if (integerOf(number)) {
        return true;
    }
    dialogs().notice(nullptr, QStringLiteral("Нужно ввести целое число"));
    return false;
}

bool TValidatorNumber::tryCorrentFloat(const QString& number) {
    if (floatOf(number)) {
        return true;
    }
    dialogs().notice(nullptr, QStringLiteral("Нужно ввести число"));
    return false;
}

bool TValidatorNumber::AboveZeroInt(const QString& number) {
    return tryCorrectInteger(number) && *integerOf(number) > 0;
}

bool TValidatorNumber::AboveZeroFloat(const QString& number) {
    return tryCorrentFloat(number) && *floatOf(number) > 0;
}

double TValidatorNumber::GetTryStrToFloat(const QString& str) {
    return floatOf(str).value_or(0);
}
