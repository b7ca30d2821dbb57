#pragma once

#include <QString>
#include <QtGlobal>
#include <optional>

class TField;

// The money type of the office's books: whole ten-thousandths of a rouble in a
// 64-bit integer. Prices and fares go through it, and through the extended
// (80-bit) floating point in between, step by step as the office's original
// program did, so that every printed figure matches its results to the digit.
class TCurrency {
public:
    TCurrency() = default;
    static TCurrency FromRaw(qint64 tenThousandths) { return TCurrency(tenThousandths); }

    // Rounds to the nearest ten-thousandth, halves to the even neighbour (the
    // processor's default rounding, which is what storing into the money type
    // did). Nothing when the value is not a number or does not fit in 64 bits.
    static std::optional<TCurrency> FromExtended(long double value);
    static std::optional<TCurrency> FromDouble(double value) { return FromExtended(value); }

    // A field read as money. An empty field, text that is no number and a value
    // too large for the money type all read as 0, so that a wild entry can never
    // stop a list from drawing its descriptions and prices.
    static TCurrency FromField(const TField* field);

    qint64 Raw() const { return FValue; }
    long double ToExtended() const { return static_cast<long double>(FValue) / 10000.0L; }
    double ToDouble() const { return double(ToExtended()); }

    bool operator==(const TCurrency&) const = default;

private:
    explicit TCurrency(qint64 value) : FValue(value) {}
    qint64 FValue = 0;
};

// Rounds to the nearest whole number, halves to the even neighbour, as the
// processor's default rounding mode does (std::nearbyint, without its cost of
// saving and restoring the floating-point state on every call).
long double RoundHalfEven(long double value);

// Rounds to two decimal places with halves away from zero, in extended
// precision: Int(v / 0.01 + 0.5) * 0.01 (with - 0.5 for negative values), the
// factor 0.01 being 1 / 100 in extended precision. Dividing by an inexact 0.01
// instead of multiplying by 100 is deliberate: it is how the office's figures
// were always rounded, and the last digit of some of them depends on it.
long double RoundToCents(long double value);

// The fare as a route description writes it: the money value rounded to cents,
// stored back as money and written in the general number format (up to 15
// significant digits, no trailing zeros, the locale's decimal separator).
QString FareText(TCurrency fare);

// The price of a ticket: the fare plus the markup in percent, rounded to
// cents, when the markup is above zero; otherwise the fare unchanged. Nothing
// when the result does not fit the money type.
std::optional<TCurrency> PriceWithMarkup(TCurrency fare, TCurrency markup);
