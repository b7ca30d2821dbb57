#include "report_engine/export/pdf/PDFContent.h"

#include <charconv>

TfrxPDFContent& TfrxPDFContent::number(double value) {
    char digits[64];
    const std::to_chars_result end =
        std::to_chars(digits, digits + sizeof digits, value, std::chars_format::fixed, 2);
    FBytes.append(digits, static_cast<size_t>(end.ptr - digits));
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
