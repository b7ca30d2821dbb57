#include "framework/LetterFilter.h"

#include <algorithm>

namespace {

bool isDigit(QChar key) {
    return key >= QLatin1Char('0') && key <= QLatin1Char('9');
}

bool isSeparator(QChar key) {
    return key == QLatin1Char(',') || key == QLatin1Char('.');
}

} // namespace

QChar TLetterFilter::NumberOnly(QChar key) {
    return key == Backspace || isDigit(key) ? key : QChar(0);
}

QChar TLetterFilter::Phonenumber(const QString& base, QChar key) {
    if (key == QLatin1Char('+')) {
        return base.isEmpty() ? key : QChar(0);
    }
    return NumberOnly(key);
}

QChar TLetterFilter::FloatNumber(const QString& base, QChar key) {
    if (!isSeparator(key)) {
        return NumberOnly(key);
    }
    // A second separator would make a text that no longer reads as a number.
    if (base.isEmpty() || std::any_of(base.begin(), base.end(), isSeparator)) {
        return QChar(0);
    }
    return QLatin1Char(',');
}
