#include "data/LikePattern.h"
#include "data/RowFilter.h"

#include <gtest/gtest.h>

namespace {

struct TLikeCase {
    QString Pattern;
    QString Text;
    bool Matches;
};

class LikePatternTest : public ::testing::TestWithParam<TLikeCase> {};

TEST_P(LikePatternTest, Matches) {
    const TLikeCase& c = GetParam();
    EXPECT_EQ(TLikePattern(foldText(c.Pattern)).matches(c.Text), c.Matches)
        << c.Pattern.toStdString() << " against " << c.Text.toStdString();
}

const QString LongRun = QString(100, QLatin1Char('a'));

INSTANTIATE_TEST_SUITE_P(Patterns, LikePatternTest,
                         ::testing::Values(
                             // Wildcards.
                             TLikeCase{QStringLiteral("a_c"), QStringLiteral("abc"), true},
                             TLikeCase{QStringLiteral("a_c"), QStringLiteral("ac"), false},
                             TLikeCase{QStringLiteral("a_c"), QStringLiteral("abbc"), false},
                             TLikeCase{QStringLiteral("%"), QString(), true},
                             TLikeCase{QStringLiteral(""), QString(), true},
                             TLikeCase{QStringLiteral(""), QStringLiteral("x"), false},
                             TLikeCase{QStringLiteral("a%b%c"), QStringLiteral("aXbYc"), true},
                             TLikeCase{QStringLiteral("a%b%c"), QStringLiteral("abc"), true},
                             TLikeCase{QStringLiteral("a%b%c"), QStringLiteral("acb"), false},
                             TLikeCase{QStringLiteral("a%b%c"), QStringLiteral("abcX"), false},
                             TLikeCase{QStringLiteral("%ab%ab%"), QStringLiteral("abab"), true},
                             TLikeCase{QStringLiteral("%ab%ab%"), QStringLiteral("aba"), false},
                             TLikeCase{QStringLiteral("ab%ba"), QStringLiteral("aba"), false},
                             TLikeCase{QStringLiteral("ab%ba"), QStringLiteral("abba"), true},
                             TLikeCase{QStringLiteral("%aab%"), QStringLiteral("aaab"), true},
                             TLikeCase{QStringLiteral("%a_a%"), QStringLiteral("xxaxaxx"), true},
                             TLikeCase{QStringLiteral("%a_a%"), QStringLiteral("xxaxxaxx"), false},
                             // Case and "ё" fold as in every comparison.
                             TLikeCase{QStringLiteral("%ив%"), QStringLiteral("ИВАНОВ"), true},
                             TLikeCase{QStringLiteral("%Семён%"), QStringLiteral("семен"), true},
                             // Escaped wildcards and the escape character stand for themselves.
                             TLikeCase{QStringLiteral("%a\\_b%"), QStringLiteral("xa_by"), true},
                             TLikeCase{QStringLiteral("%a\\_b%"), QStringLiteral("xaXby"), false},
                             TLikeCase{QStringLiteral("%50\\%%"), QStringLiteral("скидка 50%"), true},
                             TLikeCase{QStringLiteral("%50\\%%"), QStringLiteral("500"), false},
                             TLikeCase{QStringLiteral("%\\\\%"), QStringLiteral("C:\\dir"), true},
                             TLikeCase{QStringLiteral("%\\\\%"), QStringLiteral("C:/dir"), false},
                             TLikeCase{QStringLiteral("a\\"), QStringLiteral("a\\"), true},
                             // Pieces with "_" longer than one 64-position word.
                             TLikeCase{QLatin1Char('%') + LongRun + QStringLiteral("_c%"),
                                       QStringLiteral("x") + LongRun + QStringLiteral("yc"), true},
                             TLikeCase{QLatin1Char('%') + LongRun + QStringLiteral("_c%"),
                                       QStringLiteral("x") + LongRun + QStringLiteral("yd"), false}),
                         [](const auto& info) { return std::to_string(info.index); });

} // namespace
