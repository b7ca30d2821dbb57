#include "data/FormatSettings.h"

#include <gtest/gtest.h>

#include <limits>

// Whole numbers take a quicker way than the rest; both must read the same as the
// general format with 15 significant digits.
TEST(FloatTextTest, WholeAndFractionalNumbersReadAlike) {
    const std::pair<double, QString> cases[] = {
        {0, QStringLiteral("0")},
        {-0.0, QStringLiteral("0")},
        {18200, QStringLiteral("18200")},
        {-42, QStringLiteral("-42")},
        {4500.5, QStringLiteral("4500,5")},
        {0.1, QStringLiteral("0,1")},
        {999999999999999, QStringLiteral("999999999999999")},
        {-999999999999999, QStringLiteral("-999999999999999")},
        {1e15, QStringLiteral("1e+15")},
        {1e20, QStringLiteral("1e+20")},
        {123456789.125, QStringLiteral("123456789,125")},
        {std::numeric_limits<double>::infinity(), QStringLiteral("inf")},
    };
    for (const auto& [value, expected] : cases) {
        SCOPED_TRACE(value);
        EXPECT_EQ(FloatText(value), expected);
        EXPECT_EQ(FloatText(value),
                  QString::number(value, 'g', 15).replace(QLatin1Char('.'), QLatin1Char(',')));
    }
}
