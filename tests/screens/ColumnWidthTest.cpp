#include "SalesScreensFixture.h"

#include "screens/Air.h"
#include "screens/Card.h"
#include "screens/Clients.h"
#include "screens/Flight.h"
#include "screens/Orders.h"
#include "screens/Route.h"
#include "screens/Sotrudnik.h"
#include "ui/DBGrid.h"
#include "ui/Style.h"

#include <QApplication>

namespace {

// A column's title and the width its window gives it; -1: made from the field.
struct TColumnWidth {
    QString Title;
    int Width;
};

struct TWindowColumns {
    const char* Name;
    std::function<TListForm*(SalesScreensFixture&)> Create;
    std::vector<TColumnWidth> Columns; // the shown columns, left to right
};

class ColumnWidths : public SalesScreensFixture {
public:
    // In the program's own style, whose title padding decides what fits.
    void SetUp() override {
        SalesScreensFixture::SetUp();
        applyStyle(*qApp);
    }
    void TearDown() override { qApp->setStyleSheet(QString()); }
};

} // namespace

// Every window keeps the widths its columns are given, except where that would
// cut a title in the program's font: such a column is as wide as its title.
TEST_F(ColumnWidths, AreAsGivenUnlessTheTitleNeedsMore) {
    const TWindowColumns windows[] = {
        {"employees",
         [](SalesScreensFixture& f) { return createForm<TfrmSotrudnik>(f.sotrudnik); },
         {{"ID", -1},
          {"Фамилия", 103},
          {"Имя", 106},
          {"Отчество", 96},
          {"Телефон", 122},
          {"Стаж, лет", 78},
          {"Адрес", 350}}},
        {"routes",
         [](SalesScreensFixture& f) { return createForm<TfrmRoute>(f.route); },
         {{"№ маршрута", 87},
          {"Место отправления", 205},
          {"Место назначения", 194},
          {"Базовая стоимость", 124},
          {"Время полета, мин.", 126}}},
        {"clients",
         [](SalesScreensFixture& f) { return createForm<TfrmClients>(f.clients); },
         {{"ID", -1},
          {"Фамилия", 103},
          {"Имя", 106},
          {"Отчество", 96},
          {"Телефон", 122},
          {"Адрес", 180},
          {"Серия паспорта", 103},
          {"№ паспорта", 88}}},
        {"ticket types",
         [](SalesScreensFixture& f) { return createForm<TfrmCard>(f.card); },
         {{"Тип билета", 508}, {"%", 94}}},
        {"airliners",
         [](SalesScreensFixture& f) { return createForm<TfrmAir>(f.air, f.sotrudnik); },
         {{"№ самолета", 69},
          {"Бортовой №", 109},
          {"Модель", 125},
          {"Командир", 187},
          {"Ввод в экспл.", 104},
          {"Срок экспл., лет", -1},
          {"Готовность", -1},
          {"Кол-во мест", 73}}},
        {"flights",
         [](SalesScreensFixture& f) {
             return createForm<TfrmFlight>(f.flight, f.route, f.air, f.airList.get(), f.routeList.get());
         },
         {{"№ рейса", -1},
          {"Дата", -1},
          {"Время", 100},
          {"Открыт", 58},
          {"Маршрут", 386},
          {"Авиалайнер", 395}}},
        {"sales",
         [](SalesScreensFixture& f) {
             return createForm<TfrmOrders>(f.orders, f.flight, f.clients, f.card, f.clientsList.get(),
                                           f.airList.get());
         },
         {{"№ продажи", 72},
          {"Рейс", 404},
          {"Место", 65},
          {"ФИО клиента", 198},
          {"Телефон", 111},
          {"Тип билета", 136},
          {"Базовая цена", -1},
          {"Итого", 68}}},
    };
    for (const TWindowColumns& window : windows) {
        SCOPED_TRACE(window.Name);
        const std::unique_ptr<TListForm> list(window.Create(*this));
        auto* grid = list->findChild<TDBGrid*>();
        ASSERT_NE(grid, nullptr);
        size_t shown = 0;
        for (int i = 0; i < grid->model()->columnCount(); ++i) {
            if (grid->isColumnHidden(i))
                continue;
            ASSERT_LT(shown, window.Columns.size());
            const TColumnWidth& expected = window.Columns[shown++];
            const QString title = grid->model()->headerData(i, Qt::Horizontal).toString();
            SCOPED_TRACE(title.toStdString());
            EXPECT_EQ(title, expected.Title);
            const int titleNeeds = grid->TitleWidth(i);
            EXPECT_GE(grid->columnWidth(i), titleNeeds) << "the title is cut";
            if (expected.Width >= 0) {
                EXPECT_EQ(grid->columnWidth(i), std::max(expected.Width, titleNeeds));
            }
        }
        EXPECT_EQ(shown, window.Columns.size());
    }
}
