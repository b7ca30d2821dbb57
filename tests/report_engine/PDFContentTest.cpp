#include "report_engine/export/pdf/PDFContent.h"

#include <charconv>
#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <random>
#include <string>

namespace {
// What the general formatter writes for a number with two decimals.
std::string generalFixed2(double value) {
    char digits[400];
    const std::to_chars_result end =
        std::to_chars(digits, digits + sizeof digits, value, std::chars_format::fixed, 2);
    return std::string(digits, end.ptr);
}

std::string written(double value) {
    TfrxPDFContent content;
    content.number(value);
    return content.bytes();
}
} // namespace

// Coordinates are formatted without the general formatter; the file's bytes must
// not change for it, above all where rounding could go either way.
TEST(PDFContentTest, NumbersAreWrittenAsTheGeneralFormatterWritesThem) {
    const double values[] = {0,
                             -0.0,
                             -0.001,
                             0.005,
                             0.015,
                             0.125,
                             0.375,
                             2.675,
                             1.005,
                             -1.005,
                             99.995,
                             -99.995,
                             123456.785,
                             8.5 / 100,
                             0.0049999999999999999,
                             std::nextafter(0.005, 1.0),
                             std::nextafter(0.125, 0.0),
                             std::nextafter(0.125, 1.0),
                             595.2755905511812,
                             841.8897637795276,
                             std::numeric_limits<double>::denorm_min(),
                             999999999999999.9,
                             1e15,
                             -1e15,
                             1e300,
                             std::numeric_limits<double>::max(),
                             std::numeric_limits<double>::infinity(),
                             -std::numeric_limits<double>::infinity(),
                             std::numeric_limits<double>::quiet_NaN()};
    for (const double value : values)
        EXPECT_EQ(written(value), generalFixed2(value)) << value;
}

TEST(PDFContentTest, NumbersNearEveryRoundingPointMatchTheGeneralFormatter) {
    // Halves of hundredths and their neighbours, then page-sized random values.
    for (long long half = -200001; half <= 200001; half += 2)
        for (const double value : {half / 200.0, std::nextafter(half / 200.0, -1e9),
                                   std::nextafter(half / 200.0, 1e9), half * 0.75 / 200, half / 255.0})
            ASSERT_EQ(written(value), generalFixed2(value)) << value;
    std::mt19937_64 random(17);
    std::uniform_real_distribution<double> page(-2000, 2000);
    for (int i = 0; i < 200000; ++i) {
        const double value = page(random);
        ASSERT_EQ(written(value), generalFixed2(value)) << value;
    }
}
