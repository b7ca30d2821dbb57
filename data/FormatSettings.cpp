#include "data/FormatSettings.h"

#include <QLocale>

#include <cmath>

namespace {

// Qt writes date formats with "d", "M" and "y" like the rest of the program, but a
// locale may use two-digit years or single-digit days; the program's own short
// date is always day, month and a four-digit year, so only the separator and
// the order are taken from the system.
QString normalisedShortDate(const QLocale& locale, QChar separator) {
    const QString format = locale.dateFormat(QLocale::ShortFormat);
    const int d = format.indexOf(QLatin1Char('d'));
    const int m = format.indexOf(QLatin1Char('M'));
    const int y = format.indexOf(QLatin1Char('y'));
    if (d < 0 || m < 0 || y < 0) {
        return QStringLiteral("dd.MM.yyyy");
    }
    QList<std::pair<int, QString>> parts{
        {d, QStringLiteral("dd")}, {m, QStringLiteral("MM")}, {y, QStringLiteral("yyyy")}};
    std::sort(parts.begin(), parts.end());
    return parts[0].second + separator + parts[1].second + separator + parts[2].second;
}

bool hasNoRegionalSettings(const QLocale& locale) {
    return locale.language() == QLocale::C || locale.name() == QLatin1String("C");
}

} // namespace

TFormatSettings TFormatSettings::FromSystem() {
    const QLocale locale = QLocale::system();
    if (hasNoRegionalSettings(locale)) {
        return Russian();
    }
    TFormatSettings settings;
    settings.DecimalSeparator = locale.decimalPoint().at(0);
    const QString shortDate = locale.dateFormat(QLocale::ShortFormat);
    for (QChar c : shortDate) {
        if (!c.isLetter()) {
            settings.DateSeparator = c;
            break;
        }
    }
    settings.ShortDateFormat = normalisedShortDate(locale, settings.DateSeparator);
    settings.ListSeparator =
        settings.DecimalSeparator == QLatin1Char(',') ? QLatin1Char(';') : QLatin1Char(',');
    return settings;
}

TFormatSettings& FormatSettings() {
    static TFormatSettings settings = TFormatSettings::FromSystem();
    return settings;
}

QLocale ProgramLocale() {
    const QLocale system = QLocale::system();
    return hasNoRegionalSettings(system) ? QLocale(QLocale::Russian, QLocale::Russia) : system;
}

QString FloatText(double value) {
    // Whole numbers are most of what is shown (prices, counts) and the general
    // conversion is many times slower for the same digits.
    constexpr double wholeLimit = 1e15; // 'g' with 15 digits switches to an exponent here
    if (value == std::trunc(value) && std::fabs(value) < wholeLimit) {
        return QString::number(static_cast<qint64>(value));
    }
    QString text = QString::number(value, 'g', 15);
    text.replace(QLatin1Char('.'), FormatSettings().DecimalSeparator);
    return text;
}
