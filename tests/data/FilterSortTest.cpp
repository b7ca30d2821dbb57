#include "DataSetFixture.h"

#include "data/Exception.h"

#include <tuple>

namespace {

// Filters and sorts work on the rows read into memory, so they must give the
// same rows in the same order whichever engine the rows came from.
template <typename Case>
class OnBothEngines : public DataSetFixture,
                      public ::testing::WithParamInterface<std::tuple<TEngineKind, Case>> {
protected:
    OnBothEngines() : DataSetFixture(std::get<0>(this->GetParam())) {}
    const Case& testCase() const { return std::get<1>(this->GetParam()); }
};

struct FilterCase {
    const char* expression;
    const char* kept; // bortNum of the rows that stay, in order
};

void PrintTo(const FilterCase& c, std::ostream* out) {
    *out << c.expression;
}

using FilterTest = OnBothEngines<FilterCase>;

TEST_P(FilterTest, KeepsMatchingRows) {
    staff.Open();
    air.Open();
    air.SetFilter(QString::fromUtf8(testCase().expression));
    air.SetFiltered(true);
    EXPECT_EQ(column(air, QStringLiteral("bortNum")).join(QLatin1Char(',')),
              QString::fromUtf8(testCase().kept));
    EXPECT_EQ(air.RecNo(), air.IsEmpty() ? -1 : 1) << "the first kept row becomes current";
}

INSTANTIATE_TEST_SUITE_P(
    Grammar, FilterTest,
    ::testing::Combine(
        BothEngines,
        ::testing::Values(
            FilterCase{"id = '2'", "RA-2"}, FilterCase{"[id] = '2'", "RA-2"},
            FilterCase{"model LIKE '%ту%'", "RA-1"}, FilterCase{"model LIKE '%-%'", "RA-1,RA-2,RA-3"},
            FilterCase{"model LIKE 'Ил%'", "RA-2"}, FilterCase{"model = 'ил-96'", "RA-2"},
            FilterCase{"isActive = '1'", "RA-1,RA-3"}, FilterCase{"isActive = '0'", "RA-2"},
            FilterCase{"isActive = '1' AND seats = '48'", "RA-3"},
            FilterCase{"(date_create>='01.01.2010' AND date_create<='31.12.2012')", "RA-1"},
            FilterCase{"id = '1' AND (date_create>='01.01.2010' AND date_create<='31.12.2020') AND "
                       "isActive = '1'",
                       "RA-1"},
            FilterCase{"sotrudnik.c_fio LIKE '%Абрамов%'", "RA-2"}, FilterCase{"model = 'нет такой'", ""},
            FilterCase{"bortNum = 'O''Brien'", ""}, FilterCase{"date_create>='01.01.2000'", "RA-1,RA-2"})));

TEST_F(DataSetFixture, BadFilterIsRefusedAndChangesNothing) {
    staff.Open();
    air.Open();
    air.SetFilter(QStringLiteral("isActive = '1'"));
    air.SetFiltered(true);
    for (const char* bad : {"model = 'Ту", "nosuch = '1'", "id = 'abc'", "date_create>='32.13.2019'",
                            "id = '1' AND", "(id = '1'", "id '1'"}) {
        EXPECT_THROW(air.SetFilter(QString::fromUtf8(bad)), EDatabaseError) << bad;
        EXPECT_EQ(air.Filter(), QStringLiteral("isActive = '1'"));
        EXPECT_EQ(air.RecordCount(), 2) << bad;
    }
    air.SetFiltered(false);
    air.SetFilter(QStringLiteral("model = 'Ту"));
    EXPECT_THROW(air.SetFiltered(true), EDatabaseError);
    EXPECT_FALSE(air.Filtered());
    EXPECT_EQ(air.RecordCount(), 3);
}

TEST_F(DataSetFixture, FilterSwitchedOffShowsAllAndKeepsText) {
    staff.Open();
    air.Open();
    air.SetFilter(QStringLiteral("id = '3'"));
    air.SetFiltered(true);
    EXPECT_EQ(air.RecordCount(), 1);
    air.SetFiltered(false);
    EXPECT_EQ(air.RecordCount(), 3);
    EXPECT_EQ(air.Filter(), QStringLiteral("id = '3'"));
    EXPECT_EQ(air.FieldByName(QStringLiteral("bortNum"))->AsString(), QStringLiteral("RA-3"))
        << "the current record stays where it was";
}

struct SortCase {
    const char* sort;
    const char* order; // fam of the rows, in order
};

void PrintTo(const SortCase& c, std::ostream* out) {
    *out << '"' << c.sort << '"';
}

using SortTest = OnBothEngines<SortCase>;

TEST_P(SortTest, OrdersRows) {
    staff.Open();
    staff.SetSort(QString::fromUtf8(testCase().sort));
    EXPECT_EQ(column(staff, QStringLiteral("fam")).join(QLatin1Char(',')),
              QString::fromUtf8(testCase().order));
}

INSTANTIATE_TEST_SUITE_P(
    Orders, SortTest,
    ::testing::Combine(BothEngines,
                       ::testing::Values(SortCase{"[fam]", "Абрамов,ёлкин,Петров,Яковлев"},
                                         SortCase{"fam ASC", "Абрамов,ёлкин,Петров,Яковлев"},
                                         SortCase{"[fam] DESC", "Яковлев,Петров,ёлкин,Абрамов"},
                                         SortCase{"stage", "ёлкин,Абрамов,Петров,Яковлев"},
                                         SortCase{"[stage] DESC", "Яковлев,Петров,Абрамов,ёлкин"},
                                         SortCase{"subname, fam DESC", "ёлкин,Абрамов,Яковлев,Петров"},
                                         SortCase{"c_fio DESC", "Яковлев,Петров,ёлкин,Абрамов"},
                                         SortCase{"", "Петров,Абрамов,Яковлев,ёлкин"})));

TEST_F(DataSetFixture, SortByLookupAndUnknownField) {
    staff.Open();
    air.Open();
    air.SetSort(QStringLiteral("[sotrudnik.c_fio] DESC"));
    EXPECT_EQ(column(air, QStringLiteral("bortNum")).join(QLatin1Char(',')),
              QStringLiteral("RA-1,RA-2,RA-3"));
    EXPECT_THROW(air.SetSort(QStringLiteral("[nosuch]")), EDatabaseError);
    EXPECT_EQ(air.Sort(), QStringLiteral("[sotrudnik.c_fio] DESC"));
}

// Date-times order by the moment, an empty one before all.
TEST_F(DataSetFixture, SortByDateTime) {
    staff.Open();
    air.Open();
    for (const auto& [sort, order] :
         {std::pair{"date_create", "RA-3,RA-1,RA-2"}, std::pair{"[date_create] DESC", "RA-2,RA-1,RA-3"}}) {
        air.SetSort(QString::fromUtf8(sort));
        EXPECT_EQ(column(air, QStringLiteral("bortNum")).join(QLatin1Char(',')), QString::fromUtf8(order))
            << sort;
    }
}

// Added rows take their place in the order, as read, sorted or filtered (an
// added row is shown whatever the filter); a deleted one leaves the order and
// the filtered rows alike.
TEST_F(DataSetFixture, AddedAndDeletedRowsKeepTheOrderWithAndWithoutAFilter) {
    staff.Open();
    const auto fams = [this] { return column(staff, QStringLiteral("fam")).join(QLatin1Char(',')); };
    const auto add = [this](const char* fam) {
        staff.Append();
        staff.FieldByName(QStringLiteral("fam"))->SetAsString(QString::fromUtf8(fam));
        staff.Post();
    };
    add("Борисов");
    EXPECT_EQ(fams(), QStringLiteral("Петров,Абрамов,Яковлев,ёлкин,Борисов"));
    staff.SetRecNo(2);
    staff.Delete();
    EXPECT_EQ(fams(), QStringLiteral("Петров,Яковлев,ёлкин,Борисов"));

    staff.SetSort(QStringLiteral("fam"));
    add("Зимин");
    EXPECT_EQ(fams(), QStringLiteral("Борисов,ёлкин,Зимин,Петров,Яковлев"));
    staff.SetRecNo(1);
    staff.Delete();
    EXPECT_EQ(fams(), QStringLiteral("ёлкин,Зимин,Петров,Яковлев"));

    staff.SetFilter(QStringLiteral("fam LIKE '%ов'"));
    staff.SetFiltered(true);
    EXPECT_EQ(fams(), QStringLiteral("Петров"));
    add("Жуков");
    add("Кац");
    EXPECT_EQ(fams(), QStringLiteral("Жуков,Кац,Петров"));
    staff.SetRecNo(3);
    staff.Delete();
    EXPECT_EQ(fams(), QStringLiteral("Жуков,Кац"));
    staff.SetFiltered(false);
    EXPECT_EQ(fams(), QStringLiteral("ёлкин,Жуков,Зимин,Кац,Яковлев"));
}

TEST_F(DataSetFixture, CloseDropsTheSort) {
    staff.Open();
    staff.SetSort(QStringLiteral("fam"));
    staff.Close();
    EXPECT_EQ(staff.Sort(), QString());
    staff.Open();
    EXPECT_EQ(column(staff, QStringLiteral("fam")).first(), QStringLiteral("Петров"));
}

} // namespace
