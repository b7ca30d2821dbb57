#include "data/IntegerText.h"

#include <QRegularExpression>
#include <limits>

std::optional<qint32> IntegerFromText(const QString& text) {
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
