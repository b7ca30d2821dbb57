// Shows the sales table of a large database in a grid, as the sales list does,
// and times what the user waits for in the window: the first painting, jumping
// to the last record, paging, and the grid's rebuild after a sort and a search.
// The grid reads only the rows it paints, so these times should not grow with
// the number of sales. Prints one "name value" a line.
#include "BenchClock.h"
#include "OpenModules.h"
#include "data/ClientsDm.h"
#include "data/Connection.h"
#include "data/OrdersDm.h"
#include "ui/DBGrid.h"
#include "ui/DBLookupComboBox.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QKeyEvent>

namespace {

std::vector<TGridColumn> salesColumns() {
    return {{QStringLiteral("id"), QStringLiteral("№ продажи"), -1, Qt::AlignCenter},
            {QStringLiteral("flight.ToString"), QStringLiteral("Рейс"), 300},
            {QStringLiteral("clients.c_fio"), QStringLiteral("Клиент"), 200},
            {QStringLiteral("clients.phones"), QStringLiteral("Телефон"), 100},
            {QStringLiteral("cards.names"), QStringLiteral("Тип билета"), 100},
            {QStringLiteral("mesto"), QStringLiteral("Место"), 50, Qt::AlignCenter},
            {QStringLiteral("counts"), QStringLiteral("Кол-во"), 50, Qt::AlignCenter},
            {QStringLiteral("itogo"), QStringLiteral("Итого"), 80, Qt::AlignRight | Qt::AlignVCenter}};
}

// Painting is what makes the view ask the model for its visible cells.
void paint(TDBGrid& grid) {
    grid.grab();
}

void press(TDBGrid& grid, Qt::Key key, int times) {
    for (int i = 0; i < times; ++i) {
        QKeyEvent event(QEvent::KeyPress, key, Qt::NoModifier);
        QApplication::sendEvent(&grid, &event);
        paint(grid);
    }
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: bench_grid FILE\n");
        return 1;
    }
    TConnection connection(QString::fromLocal8Bit(argv[1]));
    connection.Open();
    TDataModules modules(connection);
    const double open = openModulesTimingSales(modules);
    TdmOrders& orders = *modules.dmOrders;
    TBenchClock clock;
    const int rows = orders.tbl->RecordCount();

    // The window itself costs the same for any table; what the rows cost is
    // measured from an empty grid already on screen.
    TDBGrid grid;
    grid.resize(1200, 700);
    grid.SetColumns(salesColumns());
    grid.show();
    paint(grid);
    const qint64 emptyGridKb = TBenchClock::currentKilobytes();
    clock.lap();
    grid.SetDataSource(orders.ds);
    paint(grid);
    const double firstPaint = clock.lap();
    const qint64 rowsKb = TBenchClock::currentKilobytes() - emptyGridKb;

    orders.tbl->Last();
    paint(grid);
    const double last = clock.lap();
    press(grid, Qt::Key_PageUp, 100);
    const double pages = clock.lap();
    orders.tbl->SetSort(QStringLiteral("[clients.c_fio] DESC"));
    const double sortWithGrid = clock.lap();
    paint(grid);
    const double sortPaint = clock.lap();
    // Walking the records the way a report run does, with the grid following
    // every step, and without a grid.
    const int steps = std::min(rows, qEnvironmentVariableIntValue("BENCH_STEPS") > 0
                                         ? qEnvironmentVariableIntValue("BENCH_STEPS")
                                         : 100000);
    orders.tbl->First();
    clock.lap();
    for (int i = 1; i < steps; ++i) {
        orders.tbl->Next();
    }
    const double walkWithGrid = clock.lap();
    grid.SetDataSource(nullptr);
    orders.tbl->First();
    clock.lap();
    for (int i = 1; i < steps; ++i) {
        orders.tbl->Next();
    }
    const double walkAlone = clock.lap();

    // The sale window's client chooser lists every client and follows the sales
    // even while hidden: showing it, and walking with it bound.
    TDBLookupComboBox chooser;
    chooser.SetListSource(modules.dmClients->ds);
    chooser.SetKeyField(QStringLiteral("id"));
    chooser.SetListField(QStringLiteral("c_fio"));
    chooser.SetDataSource(orders.ds);
    chooser.SetDataField(QStringLiteral("clients_id"));
    clock.lap();
    chooser.show();
    chooser.grab();
    const double chooserShow = clock.lap();
    chooser.showPopup();
    chooser.view()->grab();
    chooser.hidePopup();
    const double chooserPopup = clock.lap();
    chooser.hide();
    orders.tbl->First();
    clock.lap();
    for (int i = 1; i < steps; ++i) {
        orders.tbl->Next();
    }
    const double walkWithChooser = clock.lap();
    chooser.SetDataSource(nullptr);

    // The same sort again without the grid: the difference is what the grid's
    // rebuild adds (an upper bound, as the second sort finds warm caches).
    orders.tbl->SetSort(QString());
    clock.lap();
    orders.tbl->SetSort(QStringLiteral("[clients.c_fio] DESC"));
    const double sortAlone = clock.lap();
    grid.SetDataSource(orders.ds);
    paint(grid);
    clock.lap();
    orders.tbl->SetFilter(QStringLiteral("mesto LIKE '%1A%'"));
    orders.tbl->SetFiltered(true);
    paint(grid);
    const double filterWithGrid = clock.lap();

    const int filtered = orders.tbl->RecordCount();
    std::printf("rows %d\nfiltered_rows %d\nwalk_steps %d\nchooser_rows %d\n", rows, filtered, steps,
                modules.dmClients->tbl->RecordCount());
    const std::pair<const char*, double> figures[] = {
        {"open_s", open},
        {"grid_first_paint_s", firstPaint},
        {"grid_bytes_per_row", rowsKb * 1024.0 / std::max(1, rows)},
        {"grid_last_s", last},
        {"grid_100_pages_s", pages},
        {"sort_with_grid_s", sortWithGrid},
        {"sort_without_grid_s", sortAlone},
        {"grid_paint_after_sort_s", sortPaint},
        {"filter_with_grid_s", filterWithGrid},
        {"walk_with_grid_s", walkWithGrid},
        {"walk_without_grid_s", walkAlone},
        {"chooser_show_s", chooserShow},
        {"chooser_popup_s", chooserPopup},
        {"walk_with_hidden_chooser_s", walkWithChooser},
    };
    for (const auto& [name, value] : figures) {
        std::printf("%s %.3f\n", name, value);
    }
    return 0;
}
