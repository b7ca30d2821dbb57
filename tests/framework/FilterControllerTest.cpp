#include "framework/FilterController.h"

#include "EmployeeTable.h"

#include <functional>
#include <gtest/gtest.h>

namespace {

struct TExpressionCase {
    const char* name;
    std::function<void(TFilterController&)> add;
    QString expression;
    int index; // the last term's index, -1 with none
};

class FilterExpression : public ::testing::TestWithParam<TExpressionCase> {};

TEST_P(FilterExpression, JoinsTheTermsInOrder) {
    TFilterController filter(nullptr);
    GetParam().add(filter);
    EXPECT_EQ(filter.getFilter(), GetParam().expression);
    EXPECT_EQ(filter.getIndex(), GetParam().index);
}

const QString Unfilled = QStringLiteral("  .  .    ");

INSTANTIATE_TEST_SUITE_P(
    Cases, FilterExpression,
    ::testing::Values(
        TExpressionCase{"ThreeTerms",
                        [](TFilterController& f) {
                            f.AddParamsQuery(QStringLiteral("3"), QStringLiteral("id"), QStringLiteral("="));
                            f.AddParamLike(QStringLiteral("Пет"), QStringLiteral("fam"));
                            f.AddParamLike(QStringLiteral("Ан"), QStringLiteral("names"));
                        },
                        QStringLiteral("id = '3' AND fam LIKE '%Пет%' AND names LIKE '%Ан%'"), 2},
        TExpressionCase{
            "Like", [](TFilterController& f) { f.AddParamLike(QStringLiteral("Ив"), QStringLiteral("fam")); },
            QStringLiteral("fam LIKE '%Ив%'"), 0},
        TExpressionCase{"Range",
                        [](TFilterController& f) {
                            f.AddBetween(QStringLiteral("dateStart"), QStringLiteral("01.03.2019"),
                                         QStringLiteral("02.04.2019"));
                        },
                        QStringLiteral("(dateStart>='01.03.2019' AND dateStart<='02.04.2019')"), 0},
        TExpressionCase{"RangeValuesTrimmed",
                        [](TFilterController& f) {
                            f.AddBetween(QStringLiteral("d"), QStringLiteral(" 01.03.2019\t"),
                                         QStringLiteral("02.04.2019 "));
                        },
                        QStringLiteral("(d>='01.03.2019' AND d<='02.04.2019')"), 0},
        TExpressionCase{"RangeAfterComparison",
                        [](TFilterController& f) {
                            f.AddParamsQuery(QStringLiteral("1"), QStringLiteral("route_id"),
                                             QStringLiteral("="));
                            f.AddBetween(QStringLiteral("d"), QStringLiteral("01.03.2019"),
                                         QStringLiteral("02.04.2019"));
                        },
                        QStringLiteral("route_id = '1' AND (d>='01.03.2019' AND d<='02.04.2019')"), 1},
        TExpressionCase{"UnfilledRange",
                        [](TFilterController& f) { f.AddBetween(QStringLiteral("d"), Unfilled, Unfilled); },
                        {},
                        -1},
        TExpressionCase{"HalfFilledRange",
                        [](TFilterController& f) {
                            f.AddBetween(QStringLiteral("d"), QStringLiteral("01.03.2019"), Unfilled);
                            f.AddBetween(QStringLiteral("d"), Unfilled, QStringLiteral("01.03.2019"));
                        },
                        {},
                        -1},
        TExpressionCase{"EmptyValuesSkipped",
                        [](TFilterController& f) {
                            f.AddParamsQuery({}, QStringLiteral("id"), QStringLiteral("="));
                            f.AddParamLike({}, QStringLiteral("fam"));
                        },
                        {},
                        -1},
        TExpressionCase{"BlankValueKept",
                        [](TFilterController& f) {
                            f.AddParamsQuery(QStringLiteral(" "), QStringLiteral("id"), QStringLiteral("="));
                        },
                        QStringLiteral("id = ' '"), 0},
        TExpressionCase{
            "ApostropheDoubled",
            [](TFilterController& f) { f.AddParamLike(QStringLiteral("O'N"), QStringLiteral("fam")); },
            QStringLiteral("fam LIKE '%O''N%'"), 0},
        TExpressionCase{
            "WildcardsAndEscapeTakenLiterally",
            [](TFilterController& f) { f.AddParamLike(QStringLiteral("50%_\\x"), QStringLiteral("fam")); },
            QStringLiteral("fam LIKE '%50\\%\\_\\\\x%'"), 0}),
    [](const auto& info) { return info.param.name; });

class FilterOnTable : public ::testing::Test {
protected:
    TEmployeeTable people{{{QStringLiteral("Петров"), QStringLiteral("Антон")},
                           {QStringLiteral("Иванов"), QStringLiteral("Иван")},
                           {QStringLiteral("Петренко"), QStringLiteral("Ольга")},
                           {QStringLiteral("O'Neil"), QStringLiteral("Jim")}}};
    TFilterController filter{&people.tbl};
};

TEST_F(FilterOnTable, ExecRestrictsTheRows) {
    filter.Stop();
    filter.AddParamLike(QStringLiteral("Пет"), QStringLiteral("fam"));
    filter.AddParamLike(QStringLiteral("Ан"), QStringLiteral("names"));
    filter.Exec();
    EXPECT_TRUE(people.tbl.Filtered());
    EXPECT_EQ(people.surnames(), QStringList{QStringLiteral("Петров")});
}

TEST_F(FilterOnTable, StopThenExecWithNothingShowsEveryRow) {
    filter.AddParamLike(QStringLiteral("Пет"), QStringLiteral("fam"));
    filter.Exec();
    filter.Stop();
    filter.Exec();
    EXPECT_FALSE(people.tbl.Filtered());
    EXPECT_EQ(people.tbl.Filter(), QStringLiteral("fam LIKE '%Пет%'"));
    EXPECT_EQ(people.tbl.RecordCount(), 4);
}

TEST_F(FilterOnTable, ExecWithoutTermsLeavesTheDatasetFilterAlone) {
    people.tbl.SetFilter(QStringLiteral("fam = 'Иванов'"));
    people.tbl.SetFiltered(true);
    TFilterController fresh(&people.tbl);
    fresh.Exec();
    EXPECT_TRUE(people.tbl.Filtered());
    EXPECT_EQ(people.surnames(), QStringList{QStringLiteral("Иванов")});
}

TEST_F(FilterOnTable, ExecTwiceAppliesTheSameTermsAgain) {
    filter.AddParamLike(QStringLiteral("Пет"), QStringLiteral("fam"));
    filter.Exec();
    filter.Exec();
    EXPECT_EQ(filter.getIndex(), 0);
    EXPECT_EQ(people.tbl.RecordCount(), 2);
}

TEST_F(FilterOnTable, ApostropheInAValueFindsTheName) {
    filter.AddParamLike(QStringLiteral("O'N"), QStringLiteral("fam"));
    filter.Exec();
    EXPECT_EQ(people.surnames(), QStringList{QStringLiteral("O'Neil")});
}

} // namespace
