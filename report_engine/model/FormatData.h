#pragma once

#include <QString>
#include <QVariant>

// The user's regional settings as the engine needs them. The application installs
// the very settings its own lists use, so a report never shows a date or number in
// a second form; until then they are Russian, the program's own language.
struct TfrxFormatSettings {
    QChar DecimalSeparator = QLatin1Char(',');
    QChar ListSeparator = QLatin1Char(';');
    QString ShortDateFormat = QStringLiteral("dd.MM.yyyy"); // in QDate::toString notation
    QString LongTimeFormat = QStringLiteral("H:mm:ss");     // in QTime::toString notation

    static const TfrxFormatSettings& current();
    static void install(const TfrxFormatSettings& settings);
};

enum class TfrxFormatKind { fkText, fkNumeric, fkDateTime, fkBoolean };

struct TfrxFormat {
    TfrxFormatKind Kind = TfrxFormatKind::fkText;
    QString FormatStr;
    QString DecimalSeparator;
    QString ThousandSeparator;
};

// Turns a computed value into the text a report object shows.
QString frxFormatData(const QVariant& value, const TfrxFormat& format);
