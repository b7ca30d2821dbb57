#include "data/Currency.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

namespace {

TCurrency money(double value) {
    return *TCurrency::FromDouble(value);
}

} // namespace

// The fare is first held as money (four decimals), then rounded to cents with
// halves away from zero, and written in the general format with a comma.
TEST(FareTextTest, RoundsAsTheOfficeAlwaysDid) {
    const std::pair<double, QString> cases[] = {
        {4500, QStringLiteral("4500")},
        {4500.5, QStringLiteral("4500,5")},
        {4500.50, QStringLiteral("4500,5")},
        {1234.567, QStringLiteral("1234,57")},
        {0, QStringLiteral("0")},
        {0.004, QStringLiteral("0")},
        // Halves go away from zero, though 1,005 and 2,675 are a shade below the
        // half in binary: the money type holds them exactly.
        {1.005, QStringLiteral("1,01")},
        {2.675, QStringLiteral("2,68")},
        {-1234.565, QStringLiteral("-1234,57")},
        // Money rounding comes first: 1,0049999 is held as 1,0050, which then
        // rounds up, where rounding the typed number straight to cents would not.
        {1.0049999, QStringLiteral("1,01")},
        {123456789.125, QStringLiteral("123456789,13")},
    };
    for (const auto& [fare, expected] : cases) {
        SCOPED_TRACE(fare);
        EXPECT_EQ(FareText(money(fare)), expected);
    }
}

TEST(PriceWithMarkupTest, MarkupAboveZeroIsAddedAndRoundedToCents) {
    struct TCase {
        double fare;
        double markup;
        double price;
    };
    const TCase cases[] = {
        {4500, 10, 4950},        {4500, 12.5, 5062.5},    {4500, 0, 4500},         {4500, -5, 4500},
        {1234.567, 0, 1234.567}, {1234.567, 10, 1358.02}, {99.99, 33.333, 133.32}, {0, 50, 0},
        {4500, 0.0001, 4500},    {4500, 0.0002, 4500.01},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(std::to_string(c.fare) + " + " + std::to_string(c.markup) + "%");
        const std::optional<TCurrency> price = PriceWithMarkup(money(c.fare), money(c.markup));
        ASSERT_TRUE(price.has_value());
        EXPECT_EQ(*price, money(c.price));
    }
}

TEST(PriceWithMarkupTest, APriceTooLargeForMoneyIsNothing) {
    EXPECT_FALSE(PriceWithMarkup(money(900000000000000.0), money(100)).has_value());
}

TEST(CurrencyTest, HoldsTenThousandthsRoundedHalfToEven) {
    EXPECT_EQ(TCurrency::FromDouble(4500.5)->Raw(), 45005000);
    EXPECT_EQ(TCurrency::FromExtended(2.5L / 10000)->Raw(), 2);
    EXPECT_EQ(TCurrency::FromExtended(3.5L / 10000)->Raw(), 4);
    EXPECT_EQ(TCurrency::FromDouble(-1.23456)->Raw(), -12346);
}

TEST(CurrencyTest, WhatMoneyCannotHoldIsNothing) {
    EXPECT_FALSE(TCurrency::FromDouble(1e300).has_value());
    EXPECT_FALSE(TCurrency::FromDouble(-1e300).has_value());
    EXPECT_FALSE(TCurrency::FromDouble(std::numeric_limits<double>::infinity()).has_value());
    EXPECT_FALSE(TCurrency::FromDouble(std::numeric_limits<double>::quiet_NaN()).has_value());
    EXPECT_TRUE(TCurrency::FromDouble(922337203685477.0).has_value());
}

// The quick rounding must agree with the processor's own in every case that
// matters to money: halves either way, signs, the edges of the 64-bit range.
TEST(RoundHalfEvenTest, AgreesWithTheProcessorsRounding) {
    std::vector<long double> values{0.0L,
                                    -0.0L,
                                    0.5L,
                                    1.5L,
                                    2.5L,
                                    -0.5L,
                                    -1.5L,
                                    -2.5L,
                                    0.49999999999L,
                                    -0.3L,
                                    1e18L,
                                    9223372036854775807.5L,
                                    -9223372036854775807.5L,
                                    9223372036854775808.0L,
                                    1e30L,
                                    std::numeric_limits<long double>::infinity()};
    for (int i = 0; i < 100000; ++i) {
        const long double value = (i % 2 ? -1.0L : 1.0L) * static_cast<long double>(i) * 12.345678901L / 7.0L;
        values.push_back(value);
        values.push_back(std::trunc(value) + 0.5L);
    }
    for (const long double value : values) {
        const long double expected = std::nearbyint(value);
        const long double actual = RoundHalfEven(value);
        ASSERT_EQ(actual, expected) << static_cast<double>(value);
        ASSERT_EQ(std::signbit(actual), std::signbit(expected)) << static_cast<double>(value);
    }
    EXPECT_TRUE(std::isnan(RoundHalfEven(std::numeric_limits<long double>::quiet_NaN())));
}
