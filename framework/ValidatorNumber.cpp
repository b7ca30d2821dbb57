#include "framework/ValidatorNumber.h"

#include "data/FormatSettings.h"
#include "data/IntegerText.h"
#include "ui/DialogService.h"

#include <QRegularExpression>
#include <cmath>
#include <optional>

namespace {

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
    if (IntegerFromText(number)) {
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
    return tryCorrectInteger(number) && *IntegerFromText(number) > 0;
}

bool TValidatorNumber::AboveZeroFloat(const QString& number) {
    return tryCorrentFloat(number) && *floatOf(number) > 0;
}

double TValidatorNumber::GetTryStrToFloat(const QString& str) {
    return floatOf(str).value_or(0);
}
