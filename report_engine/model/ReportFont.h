#pragma once

#include <QRgb>
#include <QString>

// The font of a report object. The height is in pixels at 96 per inch (negative:
// character height), as stored in templates; the size in points follows from it.
struct TfrxFont {
    QString Name = QStringLiteral("Arial");
    int Height = -13;
    bool Bold = false;
    bool Italic = false;
    bool Underline = false;
    bool StrikeOut = false;
    QRgb Color = 0xff000000;
    int Charset = 1;

    int Size() const;
    // Character height in pixels at the 600-per-inch measuring resolution.
    int PixelsAt600() const;
    bool operator==(const TfrxFont& other) const = default;
};
