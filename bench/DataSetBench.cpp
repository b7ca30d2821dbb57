// Opens the sales table of a large database with every module it looks up, as
// the program does at start-up, and times the operations a user waits for:
// opening, sorting by a looked-up text, a LIKE search, and scrolling through
// every record reading every field's text. Prints one "name value" a line.
#include "BenchClock.h"
#include "OpenModules.h"
#include "data/Connection.h"
#include "data/DataSet.h"
#include "data/OrdersDm.h"

#include <QCoreApplication>

namespace {

// Reads every field's display text of every visible row, the way a grid or a
// report export walks the list.
qint64 scrollAll(TDataSet& ds) {
    qint64 characters = 0;
    for (ds.First(); !ds.Eof(); ds.Next()) {
        for (const auto& field : ds.Fields()) {
            characters += field->DisplayText().size();
        }
    }
    return characters;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: bench_dataset FILE [--no-scroll]\n");
        return 1;
    }
    const bool scroll = !(argc > 2 && qstrcmp(argv[2], "--no-scroll") == 0);
    TConnection connection(QString::fromLocal8Bit(argv[1]));
    connection.Open();
    // Memory counts every table the sales look up as well.
    const qint64 baseKb = TBenchClock::peakKilobytes();
    TDataModules modules(connection);
    const double open = openModulesTimingSales(modules);
    TdmOrders& orders = *modules.dmOrders;
    TBenchClock clock;
    const int rows = orders.tbl->RecordCount();

    orders.tbl->SetSort(qEnvironmentVariable("BENCH_SORT", QStringLiteral("[clients.c_fio] DESC")));
    const double sort = clock.lap();
    orders.tbl->SetFilter(QStringLiteral("mesto LIKE '%1A%'"));
    orders.tbl->SetFiltered(true);
    const double filter = clock.lap();
    const int filtered = orders.tbl->RecordCount();
    orders.tbl->SetFiltered(false);
    clock.lap();
    const qint64 characters = scroll ? scrollAll(*orders.tbl) : 0;
    const double scrolled = clock.lap();
    const qint64 peakKb = TBenchClock::peakKilobytes() - baseKb;

    std::printf("rows %d\nopen_s %.3f\nsort_s %.3f\nfilter_s %.3f\nfiltered_rows %d\nscroll_s %.3f\n"
                "scroll_chars %lld\npeak_bytes_per_row %.1f\n",
                rows, open, sort, filter, filtered, scrolled, static_cast<long long>(characters),
                peakKb * 1024.0 / std::max(1, rows));
    return 0;
}
