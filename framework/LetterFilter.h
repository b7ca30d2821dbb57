#pragma once

#include <QChar>
#include <QString>

// Key-press filters for input boxes: each takes the typed character and answers
// the character to deliver; QChar(0) swallows the key. `base` is the box's whole
// text before the key takes effect.
class TLetterFilter {
public:
    static constexpr QChar Backspace = QChar(8);

    // Digits and backspace.
    static QChar NumberOnly(QChar key);
    // Digits and backspace, and "+" as the first character of an empty box.
    static QChar Phonenumber(const QString& base, QChar key);
    // Digits, backspace and one decimal comma ("." is typed as ","); a number
    // cannot start with the separator.
    static QChar FloatNumber(const QString& base, QChar key);

    TLetterFilter() = delete;
};
