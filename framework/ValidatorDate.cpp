#include "framework/ValidatorDate.h"

#include "data/FormatSettings.h"

#include <QDate>
#include <QTime>

namespace {

constexpr int FullDateLength = 10;

// The short date format with one-digit days and months allowed, as people type them.
QString lenientDateFormat() {
    QString format = FormatSettings().ShortDateFormat;
    format.replace(QLatin1String("dd"), QLatin1String("d"));
    format.replace(QLatin1String("MM"), QLatin1String("M"));
    return format;
}

bool isTime(const QString& text) {
    const QChar separator = FormatSettings().TimeSeparator;
    return QTime::fromString(text, QStringLiteral("H%1mm%1ss").arg(separator)).isValid() ||
           QTime::fromString(text, QStringLiteral("H%1mm").arg(separator)).isValid();
}

bool isDateTime(const QString& text) {
    const QString trimmed = text.trimmed();
    const qsizetype blank = trimmed.indexOf(QLatin1Char(' '));
    const QString datePart = blank < 0 ? trimmed : trimmed.left(blank);
    if (!QDate::fromString(datePart, lenientDateFormat()).isValid()) {
        return false;
    }
    return blank < 0 || isTime(trimmed.mid(blank + 1).trimmed());
}

} // namespace

bool TValidatorDate::IsValidDate(const QString& datetext) {
    return isDateTime(datetext) && datetext.size() >= FullDateLength;
}
