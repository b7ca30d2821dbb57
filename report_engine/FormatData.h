#pragma once

#include <QString>
#include <QVariant>

// The user's regional settings as the engine needs them; the application may
// replace them once at start. The defaults are Russian, the program's own language.
struct TfrxFormatSettings {
    QChar DecimalSeparator = QLatin1Char(',');
    QString ShortDateFormat = QStringLiteral("dd.MM.yyyy");
    QString LongTimeFormat = QStringLiteral("hh:mm:ss");

    static TfrxFormatSettings& current();
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
