#include "report_engine/export/pdf/PDFContent.h"

#include <bit>
#include <charconv>
#include <cmath>

namespace {
// Beyond this the hundredths no longer fit the integer; no coordinate comes near.
constexpr double LargestQuick = 1e15;

// The magnitude in hundredths, rounded as the general formatter rounds: to the
// nearest, ties to the even one. Worked out on the exact binary value (mantissa
// times a power of two), since a floating multiplication by 100 would itself
// round and move values lying close to a half.
unsigned long long roundedHundredths(double value) {
    const auto bits = std::bit_cast<unsigned long long>(value);
    const int biased = static_cast<int>(bits >> 52 & 0x7FF);
    const unsigned long long fraction = bits & ((1ULL << 52) - 1);
    const unsigned long long mantissa = biased == 0 ? fraction : fraction | 1ULL << 52;
    const int exponent = (biased == 0 ? 1 : biased) - 1075;
    const unsigned long long scaled = mantissa * 100; // below 2^60
    if (exponent >= 0)
        return scaled << exponent; // below 1e17: the value is below 1e15
    if (exponent <= -61)
        return 0; // less than half a hundredth
    const int shift = -exponent;
    const unsigned long long whole = scaled >> shift;
    const unsigned long long rest = scaled & ((1ULL << shift) - 1);
    const unsigned long long half = 1ULL << (shift - 1);
    return whole + (rest > half || (rest == half && (whole & 1) != 0) ? 1 : 0);
}
} // namespace

// Every coordinate of a page goes through here, so the common case is done in
// integers; anything else takes the general formatter.
TfrxPDFContent& TfrxPDFContent::number(double value) {
    if (!(std::fabs(value) < LargestQuick)) {
        char digits[400];
        const std::to_chars_result end =
            std::to_chars(digits, digits + sizeof digits, value, std::chars_format::fixed, 2);
        FBytes.append(digits, static_cast<size_t>(end.ptr - digits));
        return *this;
    }
    unsigned long long hundredths = roundedHundredths(value);
    char digits[24];
    char* const end = digits + sizeof digits;
    char* first = end;
    *--first = static_cast<char>('0' + hundredths % 10);
    *--first = static_cast<char>('0' + hundredths / 10 % 10);
    *--first = '.';
    hundredths /= 100;
    do {
        *--first = static_cast<char>('0' + hundredths % 10);
        hundredths /= 10;
    } while (hundredths != 0);
    if (std::signbit(value))
        *--first = '-';
    FBytes.append(first, static_cast<size_t>(end - first));
    return *this;
}

TfrxPDFContent& TfrxPDFContent::integer(long long value) {
    char digits[24];
    const std::to_chars_result end = std::to_chars(digits, digits + sizeof digits, value);
    FBytes.append(digits, static_cast<size_t>(end.ptr - digits));
    return *this;
}

TfrxPDFContent& TfrxPDFContent::hex4(unsigned value) {
    static const char digits[] = "0123456789ABCDEF";
    const char text[4] = {digits[(value >> 12) & 0xF], digits[(value >> 8) & 0xF], digits[(value >> 4) & 0xF],
                          digits[value & 0xF]};
    FBytes.append(text, 4);
    return *this;
}
