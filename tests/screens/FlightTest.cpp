#include "ListPattern.h"

#include "data/AirDm.h"
#include "data/RouteDm.h"
#include "framework/DateBetween.h"
#include "screens/Flight.h"
#include "ui/DBLookupComboBox.h"
#include "ui/MaskEdit.h"

#include <QAction>
#include <QDialog>
#include <QLineEdit>
#include <QRadioButton>

TScreenCase flightsScreen() {
    return {
        .Name = "flights",
        .Create =
            [](AllScreensFixture& f) {
                return std::unique_ptr<TListForm>(
                    createForm<TfrmFlight>(f.flight, f.route, f.air, f.airList.get(), f.routeList.get()));
            },
        .DataSet = [](AllScreensFixture& f) -> TDataSet* { return f.flight->tbl; },
        .Table = QStringLiteral("tblFlight"),
        .EditWindow = QStringLiteral("frmFlightEdit"),
        .SaveButton = QStringLiteral("btnSave"),
        .CloseButton = QStringLiteral("BitBtn2"),
        .Valid = {{QStringLiteral("cbAir"), QStringLiteral("Бортовой №RA-96005 |")},
                  {QStringLiteral("cbRoute"), QStringLiteral("Маршрут №5 |")},
                  {QStringLiteral("editDateStart"), QStringLiteral("01.02.2021")},
                  {QStringLiteral("editTimeStart"), QStringLiteral("0745")}},
        .KeyField = QStringLiteral("air_id"),
        .KeyValue = QStringLiteral("2"),
        .FirstCheck = QStringLiteral("Выберите авиалайнер"),
        .SortItem = QStringLiteral("mnuSortDate"),
        .SortField = QStringLiteral("dateStart"),
        .SearchBox = QStringLiteral("editKod"),
        .SearchText = QStringLiteral("99"),
        .ModifiedOnAdd = true,
        .StoredAs = QStringLiteral(
            "air_id || ' ' || route_id || ' ' || dateStart || ' ' || timeStart || ' ' || isActive"),
        .StoredText = QStringLiteral("2 5 2021-02-01 00:00:00 1899-12-30 07:45:00 1"),
    };
}

namespace {

const QString NoDate = QStringLiteral("Необходимо указать дату отпправки");

} // namespace

INSTANTIATE_TEST_SUITE_P(
    Flights, FormCheck,
    ::testing::ValuesIn(checksOf(
        flightsScreen(),
        {
            {{},
             "nothing chosen",
             {{QStringLiteral("cbAir"), {}},
              {QStringLiteral("cbRoute"), {}},
              {QStringLiteral("editDateStart"), {}}},
             {QStringLiteral("Выберите авиалайнер")}},
            {{},
             "no route",
             {{QStringLiteral("cbRoute"), {}}, {QStringLiteral("editDateStart"), {}}},
             {QStringLiteral("Выберите маршрут")}},
            {{}, "no date", {{QStringLiteral("editDateStart"), {}}}, {NoDate}},
            {{}, "half a date", {{QStringLiteral("editDateStart"), QStringLiteral("01.02.20")}}, {NoDate}},
            {{}, "no such day", {{QStringLiteral("editDateStart"), QStringLiteral("30.02.2021")}}, {NoDate}},
        })),
    [](const auto& info) { return caseName(info.param.Name); });

class FlightScreen : public AllScreensFixture {
public:
    void SetUp() override {
        AllScreensFixture::SetUp();
        open(flightsScreen());
    }

    TDataSet* ds() const { return flight->tbl; }
    QString filter() const { return ds()->Filtered() ? ds()->Filter() : QString(); }
    void setDates(const QString& first, const QString& last) {
        find<TMaskEdit>(*list, QStringLiteral("editDate1"))->SetText(first);
        find<TMaskEdit>(*list, QStringLiteral("editDate2"))->SetText(last);
    }
    QString routeText(int id) const { return textOf(route->tbl, id, QStringLiteral("airToString")); }
    QString airText(int id) const { return textOf(air->tbl, id, QStringLiteral("ToString")); }
};

TEST_F(FlightScreen, SearchWithEveryFieldFiltersByAllOfThem) {
    type(*list, QStringLiteral("editKod"), QStringLiteral("1"));
    setDates(QStringLiteral("01.12.2019"), QStringLiteral("31.12.2019"));
    choose(*list, QStringLiteral("cbRoute"), routeText(1));
    choose(*list, QStringLiteral("cbAir"), airText(1));
    click(*list, QStringLiteral("rbStatusOpen"));
    EXPECT_EQ(filter(), QString()) << "choosing alone does not search";
    click(*list, QStringLiteral("btnSearch"));
    EXPECT_EQ(filter(),
              QStringLiteral("id = '1' AND (dateStart>='01.12.2019' AND dateStart<='31.12.2019') AND "
                             "route_id = '1' AND air_id = '1' AND isActive = '1'"));
    EXPECT_EQ(column(ds(), QStringLiteral("id")), QStringList({"1"}));
    EXPECT_EQ(shown(), QStringList());
}

TEST_F(FlightScreen, ResetEmptiesEveryFieldAndShowsEveryFlight) {
    type(*list, QStringLiteral("editKod"), QStringLiteral("2"));
    setDates(QStringLiteral("01.12.2019"), QStringLiteral("31.12.2019"));
    choose(*list, QStringLiteral("cbRoute"), routeText(2));
    choose(*list, QStringLiteral("cbAir"), airText(2));
    click(*list, QStringLiteral("rbStatusClose"));
    click(*list, QStringLiteral("btnSearch"));
    ASSERT_EQ(column(ds(), QStringLiteral("id")), QStringList({"2"}));

    click(*list, QStringLiteral("btnSearchCancel"));
    EXPECT_EQ(filter(), QString());
    EXPECT_EQ(column(ds(), QStringLiteral("id")), QStringList({"1", "4", "2", "3"})) << "in date order";
    EXPECT_EQ(find<QLineEdit>(*list, QStringLiteral("editKod"))->text(), QString());
    EXPECT_EQ(find<TDBLookupComboBox>(*list, QStringLiteral("cbRoute"))->Text(), QString());
    EXPECT_TRUE(find<TDBLookupComboBox>(*list, QStringLiteral("cbAir"))->KeyValue().isNull());
    EXPECT_TRUE(find<QRadioButton>(*list, QStringLiteral("rbStatusAll"))->isChecked());
    EXPECT_TRUE(find<TMaskEdit>(*list, QStringLiteral("editDate1"))->IsEmpty());
    EXPECT_TRUE(find<TMaskEdit>(*list, QStringLiteral("editDate2"))->IsEmpty());
}

// Only a range with both ends complete becomes a term; the other terms apply.
TEST_F(FlightScreen, DateRangeNeedsBothEndsComplete) {
    struct {
        const char* Name;
        QString First, Last;
        const char* Status;
        QString Filter;
        QStringList Ids;
    } const cases[] = {
        {"first only",
         QStringLiteral("01.12.2019"),
         QString(),
         "rbStatusAll",
         QString(),
         {"1", "4", "2", "3"}},
        {"last only",
         QString(),
         QStringLiteral("31.12.2019"),
         "rbStatusOpen",
         QStringLiteral("isActive = '1'"),
         {"1", "4", "3"}},
        {"both cleared", QString(), QString(), "rbStatusClose", QStringLiteral("isActive = '0'"), {"2"}},
        {"both",
         QStringLiteral("10.12.2019"),
         QStringLiteral("31.12.2019"),
         "rbStatusAll",
         QStringLiteral("(dateStart>='10.12.2019' AND dateStart<='31.12.2019')"),
         {"4", "2"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        setDates(c.First, c.Last);
        click(*list, QString::fromLatin1(c.Status));
        click(*list, QStringLiteral("btnSearch"));
        EXPECT_EQ(filter(), c.Filter);
        EXPECT_EQ(column(ds(), QStringLiteral("id")), c.Ids);
        EXPECT_EQ(shown(), QStringList());
    }
}

TEST_F(FlightScreen, SortByDateDescending) {
    click(*list, QStringLiteral("mnuOrderDesc"));
    click(*list, QStringLiteral("mnuSortDate"));
    EXPECT_EQ(ds()->Sort(), QStringLiteral("dateStart DESC"));
    EXPECT_EQ(column(ds(), QStringLiteral("id")), QStringList({"3", "2", "4", "1"}));
}

// Seats left: flight 4 none, 1 209 of 210, 3 all 210, 2 all 300. A flight
// stored afterwards counts with its own airliner's seats, not as an unknown
// that would sort before every other.
TEST_F(FlightScreen, QuantitySortsBySeatsLeftFewestFirst) {
    click(*list, QStringLiteral("mnuSortCounts"));
    EXPECT_EQ(ds()->Sort(), QStringLiteral("counts"));
    EXPECT_EQ(column(ds(), QStringLiteral("id")), QStringList({"4", "1", "3", "2"}));
    click(*list, QStringLiteral("mnuOrderDesc"));
    EXPECT_EQ(column(ds(), QStringLiteral("id")), QStringList({"2", "3", "1", "4"}));

    ds()->Append();
    ds()->FieldByName(QStringLiteral("air_id"))->SetAsInteger(3); // one seat, none sold
    ds()->FieldByName(QStringLiteral("route_id"))->SetAsInteger(1);
    ds()->Post();
    click(*list, QStringLiteral("mnuOrderAsc"));
    EXPECT_EQ(column(ds(), QStringLiteral("id")), QStringList({"4", "5", "1", "3", "2"}));
    EXPECT_EQ(shown(), QStringList());
}

// The new flight leaves today, which is why closing it untouched asks to save.
TEST_F(FlightScreen, ANewFlightLeavesToday) {
    dialogs.onModal(QStringLiteral("frmFlightEdit"), [&](QDialog& w) {
        EXPECT_EQ(find<QLineEdit>(w, QStringLiteral("editDateStart"))->text(),
                  QDate::currentDate().toString(QStringLiteral("dd.MM.yyyy")));
    });
    click(*list, QStringLiteral("tbtnAdd"));
    EXPECT_EQ(dialogs.modals().size(), 1);
}

TEST_F(FlightScreen, FindButtonsShowTheAirlinersAndRoutesWindows) {
    dialogs.onModal(QStringLiteral("frmFlightEdit"), [&](QDialog& w) {
        click(w, QStringLiteral("btnPositionFilter"));
        click(w, QStringLiteral("BitBtn1"));
    });
    locate(ds(), 2);
    click(*list, QStringLiteral("tbtnEdit"));
    QStringList names;
    for (const auto& modal : dialogs.modals())
        names << modal.Name;
    EXPECT_EQ(names, QStringList({"frmFlightEdit", "frmAir", "frmRoute"}));
    EXPECT_EQ(shown(), QStringList());
}
