#pragma once

#include <QString>
#include <optional>

// The whole numbers a user may type: leading spaces, an optional sign, then
// decimal digits, or hexadecimal ones after "$" or "0x", nothing after them,
// and a value that fits in 32 bits. The number checks of the edit windows and
// the integer fields read texts by the same rule, so a number a check lets
// through is the number stored.
std::optional<qint32> IntegerFromText(const QString& text);
