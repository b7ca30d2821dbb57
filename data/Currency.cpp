#include "data/Currency.h"

#include "data/Field.h"
#include "data/FormatSettings.h"

#include <cmath>
#include <limits>

long double RoundHalfEven(long double value) {
    // From 2^63 on, every extended value is whole. Below it, adding 2^63 leaves
    // no bits for a fraction, so the addition itself rounds to a whole number
    // (to nearest, halves to even) and the subtraction gives it back exactly.
    constexpr long double wholeFrom = 9223372036854775808.0L;
    if (!(std::fabs(value) < wholeFrom)) {
        return value;
    }
    const long double rounded =
        value >= 0 ? (value + wholeFrom) - wholeFrom : (value - wholeFrom) + wholeFrom;
    return std::copysign(rounded, value);
}

std::optional<TCurrency> TCurrency::FromExtended(long double value) {
    // The x87 store of the original rounds to nearest with halves to even.
    const long double scaled = RoundHalfEven(value * 10000.0L);
    constexpr long double limit = 9223372036854775807.0L; // 2^63 - 1 rounds up to 2^63 in extended
    if (!std::isfinite(scaled) || scaled >= limit || scaled < -limit) {
        return std::nullopt;
    }
    return TCurrency(static_cast<qint64>(scaled));
}

TCurrency TCurrency::FromField(const TField* field) {
    return FromDouble(field->AsFloat()).value_or(TCurrency());
}

long double RoundToCents(long double value) {
    const long double factor = 1.0L / 100.0L;
    if (value < 0) {
        return std::trunc(value / factor - 0.5L) * factor;
    }
    return std::trunc(value / factor + 0.5L) * factor;
}

QString FareText(TCurrency fare) {
    // After rounding to cents the result is stored as money again, so the text
    // shows exactly the cents the money value holds. A rounded fare always fits:
    // it is at most half a cent away from a value that already did.
    const TCurrency rounded = TCurrency::FromExtended(RoundToCents(fare.ToExtended())).value_or(fare);
    return FloatText(rounded.ToDouble());
}

std::optional<TCurrency> PriceWithMarkup(TCurrency fare, TCurrency markup) {
    if (markup.Raw() <= 0) {
        return fare;
    }
    // With F and P the raw ten-thousandths of fare and markup:
    // (F * 10000 + F * P / 100) / 100000000, each step in extended precision,
    // which is fare + fare * markup / 100 exactly as the original evaluated it.
    const long double f = static_cast<long double>(fare.Raw());
    const long double p = static_cast<long double>(markup.Raw());
    const long double v = (f * 10000.0L + f * p / 100.0L) / 100000000.0L;
    return TCurrency::FromExtended(RoundToCents(v));
}
