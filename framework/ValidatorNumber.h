#pragma once

#include <QString>

// Number checks for the edit windows' form checks. A text that is not a number
// at all is reported to the user here, before the window names the field;
// a number that is merely not above zero is left to the window to report.
class TValidatorNumber {
public:
    // Leading spaces, an optional sign, then decimal digits, or hexadecimal ones
    // after "$" or "0x"; the value must fit in 32 bits. Otherwise the notice
    // "Нужно ввести целое число" and false.
    static bool tryCorrectInteger(const QString& number);
    // A number in the user's format (the regional decimal separator, an optional
    // exponent). Otherwise the notice "Нужно ввести число" and false.
    static bool tryCorrentFloat(const QString& number);
    static bool AboveZeroInt(const QString& number);
    static bool AboveZeroFloat(const QString& number);
    // The number the text reads as, 0 when it is none; tells nobody.
    static double GetTryStrToFloat(const QString& str);

    TValidatorNumber() = delete;
};
