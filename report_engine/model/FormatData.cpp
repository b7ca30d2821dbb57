#include "report_engine/model/FormatData.h"

#include <QDateTime>

namespace {
TfrxFormatSettings& installedSettings() {
    static TfrxFormatSettings settings;
    return settings;
}
} // namespace

const TfrxFormatSettings& TfrxFormatSettings::current() {
    return installedSettings();
}

void TfrxFormatSettings::install(const TfrxFormatSettings& settings) {
    installedSettings() = settings;
}

namespace {
const QDate ZeroDate(1899, 12, 30);

QString floatText(double value) {
    QString text = QString::number(value, 'g', 15);
    text.replace(QLatin1Char('.'), TfrxFormatSettings::current().DecimalSeparator);
    return text;
}

// A date-time prints its date only when the time is midnight and its time only
// on the zero day, as the platform's conversion without flags does.
QString dateTimeText(const QDateTime& value) {
    const TfrxFormatSettings& settings = TfrxFormatSettings::current();
    const bool noTime = value.time() == QTime(0, 0);
    const bool noDate = value.date() == ZeroDate;
    if (noTime)
        return value.date().toString(settings.ShortDateFormat);
    if (noDate)
        return value.time().toString(settings.LongTimeFormat);
    return value.date().toString(settings.ShortDateFormat) + QLatin1Char(' ') +
           value.time().toString(settings.LongTimeFormat);
}

QString textOf(const QVariant& value) {
    switch (value.typeId()) {
    case QMetaType::Bool:
        return value.toBool() ? QStringLiteral("True") : QStringLiteral("False");
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
        return value.toString();
    case QMetaType::Double:
    case QMetaType::Float:
        return floatText(value.toDouble());
    case QMetaType::QDate:
        return value.toDate().toString(TfrxFormatSettings::current().ShortDateFormat);
    case QMetaType::QTime:
        return value.toTime().toString(TfrxFormatSettings::current().LongTimeFormat);
    case QMetaType::QDateTime:
        return dateTimeText(value.toDateTime());
    default:
        return value.toString();
    }
}

QString formatted(const QVariant& value, const TfrxFormat& format) {
    switch (format.Kind) {
    case TfrxFormatKind::fkBoolean: {
        const QStringList texts = format.FormatStr.split(QLatin1Char(','));
        if (texts.size() == 2 && value.canConvert<bool>())
            return value.toBool() ? texts[0] : texts[1];
        return textOf(value);
    }
    case TfrxFormatKind::fkDateTime:
        if (value.canConvert<QDateTime>() && value.toDateTime().isValid())
            return value.toDateTime().toString(format.FormatStr);
        return textOf(value);
    case TfrxFormatKind::fkNumeric: {
        bool ok = false;
        const double number = value.toDouble(&ok);
        if (!ok)
            return textOf(value);
        QString text = QString::asprintf(format.FormatStr.toLatin1().constData(), number);
        if (!format.DecimalSeparator.isEmpty())
            text.replace(QLatin1Char('.'), format.DecimalSeparator);
        return text;
    }
    default:
        return textOf(value);
    }
}
} // namespace

QString frxFormatData(const QVariant& value, const TfrxFormat& format) {
    if (value.isNull() || !value.isValid())
        return {};
    return formatted(value, format);
}
