#include "ListPattern.h"

#include "screens/Route.h"

#include <QDialog>
#include <QLineEdit>

TScreenCase routesScreen() {
    return {
        .Name = "routes",
        .Create =
            [](AllScreensFixture& f) { return std::unique_ptr<TListForm>(createForm<TfrmRoute>(f.route)); },
        .DataSet = [](AllScreensFixture& f) -> TDataSet* { return f.route->tbl; },
        .Table = QStringLiteral("tblRoute"),
        .EditWindow = QStringLiteral("frmRouteEdit"),
        .SaveButton = QStringLiteral("btnSaveGeneral"),
        .Valid = {{QStringLiteral("editAirStart"), QStringLiteral("Тула")},
                  {QStringLiteral("editAirTarget"), QStringLiteral("Сочи")},
                  {QStringLiteral("editPrice"), QStringLiteral("1500,5")},
                  {QStringLiteral("editTimes"), QStringLiteral("90")}},
        .KeyField = QStringLiteral("airStart"),
        .FirstCheck = QStringLiteral("Введите место отправления"),
        .SortItem = QStringLiteral("mnuSortTarget"),
        .SortField = QStringLiteral("airTarget"),
        .SearchBox = QStringLiteral("editAirStart"),
        .FirstFocus = QStringLiteral("btnSaveGeneral"),
    };
}

namespace {

const QString NotANumber = QStringLiteral("Нужно ввести число");
const QString NotAnInteger = QStringLiteral("Нужно ввести целое число");
const QString Price = QStringLiteral("Введите базовую стоимость полета");
const QString Time = QStringLiteral("Введите время полета в минутах");

} // namespace

INSTANTIATE_TEST_SUITE_P(
    Routes, FormCheck,
    ::testing::ValuesIn(
        checksOf(routesScreen(),
                 {
                     {{},
                      "departure empty",
                      {{QStringLiteral("editAirStart"), {}}},
                      {QStringLiteral("Введите место отправления")}},
                     {{},
                      "destination empty",
                      {{QStringLiteral("editAirTarget"), {}}},
                      {QStringLiteral("Введите место назначения")}},
                     {{},
                      "price not a number",
                      {{QStringLiteral("editPrice"), QStringLiteral("abc")}},
                      {NotANumber, Price}},
                     {{}, "price empty", {{QStringLiteral("editPrice"), {}}}, {NotANumber, Price}},
                     {{}, "price zero", {{QStringLiteral("editPrice"), QStringLiteral("0")}}, {Price}},
                     {{}, "price negative", {{QStringLiteral("editPrice"), QStringLiteral("-10")}}, {Price}},
                     {{}, "time zero", {{QStringLiteral("editTimes"), QStringLiteral("0")}}, {Time}},
                     {{},
                      "time with a fraction",
                      {{QStringLiteral("editTimes"), QStringLiteral("90,5")}},
                      {NotAnInteger, Time}},
                     {{},
                      "price checked before time",
                      {{QStringLiteral("editPrice"), QStringLiteral("0")},
                       {QStringLiteral("editTimes"), QStringLiteral("x")}},
                      {Price}},
                     {{}, "whole price", {{QStringLiteral("editPrice"), QStringLiteral("1500")}}, {}},
                 })),
    [](const auto& info) { return caseName(info.param.Name); });

class RoutesScreen : public ScreensFixture {
public:
    void SetUp() override {
        ScreensFixture::SetUp();
        list.reset(createForm<TfrmRoute>(route));
    }
    void TearDown() override { list.reset(); }

    QStringList searchFor(const QString& number, const QString& from) {
        type(*list, QStringLiteral("editKod"), number);
        type(*list, QStringLiteral("editAirStart"), from);
        click(*list, QStringLiteral("btnSearch"));
        return column(route->tbl, QStringLiteral("id"));
    }

    std::unique_ptr<TfrmRoute> list;
};

TEST_F(RoutesScreen, NumberAndDepartureMustBothMatch) {
    EXPECT_EQ(searchFor(QStringLiteral("5"), QStringLiteral("Мос")), QStringList({QStringLiteral("5")}));
    EXPECT_EQ(route->tbl->Filter(), QStringLiteral("id = '5' AND airStart LIKE '%Мос%'"));
    EXPECT_EQ(searchFor(QStringLiteral("2"), QStringLiteral("Мос")), QStringList());
    EXPECT_EQ(searchFor({}, QStringLiteral("Мос")), QStringList({QStringLiteral("1"), QStringLiteral("5")}));
}

TEST_F(RoutesScreen, TheNumberBoxTakesDigitsOnly) {
    type(*list, QStringLiteral("editKod"), QStringLiteral("1a-2 "));
    EXPECT_EQ(find<QLineEdit>(*list, QStringLiteral("editKod"))->text(), QStringLiteral("12"));
}

TEST_F(RoutesScreen, TheDestinationIsSearchedAfterTheDeparture) {
    type(*list, QStringLiteral("editAirTarget"), QStringLiteral("Со"));
    type(*list, QStringLiteral("editAirStart"), QStringLiteral("М"));
    click(*list, QStringLiteral("btnSearch"));
    EXPECT_EQ(route->tbl->Filter(), QStringLiteral("airStart LIKE '%М%' AND airTarget LIKE '%Со%'"));
    EXPECT_EQ(column(route->tbl, QStringLiteral("id")), QStringList({QStringLiteral("1")}));
}

TEST_F(RoutesScreen, TheReportNeedsACurrentRoute) {
    click(*list, QStringLiteral("tbtnReport"));
    EXPECT_TRUE(shown().isEmpty());
    ASSERT_EQ(dialogs.modals().size(), 1);
    EXPECT_EQ(dialogs.modals()[0].Name, QStringLiteral("frmPrintRoute"));
    dialogs.clear();
    type(*list, QStringLiteral("editAirStart"), QStringLiteral("нет такого"));
    click(*list, QStringLiteral("btnSearch"));
    click(*list, QStringLiteral("mnuReport"));
    EXPECT_EQ(shown(TMsgKind::Notice), QStringList({QStringLiteral("Нужно выбрать запись")}));
    EXPECT_TRUE(dialogs.modals().isEmpty());
}

TEST_F(RoutesScreen, TheEditWindowShowsTheCurrentRoute) {
    locate(route->tbl, 2);
    dialogs.onModal(QStringLiteral("frmRouteEdit"), [&](QDialog& w) {
        EXPECT_EQ(w.windowTitle(), QStringLiteral("Редактирование маршрута"));
        EXPECT_EQ(find<QLineEdit>(w, QStringLiteral("editAirTarget"))->text(), QStringLiteral("Омск"));
        EXPECT_EQ(find<QLineEdit>(w, QStringLiteral("editPrice"))->text(), QStringLiteral("1234,5"));
        EXPECT_EQ(find<QLineEdit>(w, QStringLiteral("editTimes"))->text(), QStringLiteral("90"));
    });
    click(*list, QStringLiteral("mnuEdit"));
    EXPECT_EQ(dialogs.modals().size(), 1);
}
