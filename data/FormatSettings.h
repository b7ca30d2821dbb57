#pragma once

#include <QChar>
#include <QString>

class QLocale;

// The user's regional settings, read once at start. Where the system has none
// (the C/POSIX locale of servers and containers) the program's own language,
// Russian, provides them.
struct TFormatSettings {
    QChar DecimalSeparator = QLatin1Char(',');
    QChar DateSeparator = QLatin1Char('.');
    QChar TimeSeparator = QLatin1Char(':');
    QChar ListSeparator = QLatin1Char(';');
    QString ShortDateFormat = QStringLiteral("dd.MM.yyyy"); // in QDate::toString notation
    QString LongTimeFormat = QStringLiteral("H:mm:ss");     // in QTime::toString notation
    QString AnsiCodePage = QStringLiteral("windows-1251");

    static TFormatSettings Russian() { return {}; }
    static TFormatSettings FromSystem();
};

// The settings in force for the whole process.
TFormatSettings& FormatSettings();

// The user's locale, or the Russian one where the system has none: what the
// window system's own texts, calendars and date boxes follow.
QLocale ProgramLocale();

// A number as the program shows it: up to 15 significant digits, the decimal
// separator of the settings in force.
QString FloatText(double value);
