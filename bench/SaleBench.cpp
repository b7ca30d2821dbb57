// Times ticket sales on a database as a desk makes them: the seat check and
// the insert in their one transaction, and the same followed by the reread of
// the seat list that the program does after every sale. The flight chosen has
// far more seats than the run sells. Prints one "name value" a line.
//
//   bench_sale DATABASE [SALES]
#include "BenchClock.h"
#include "data/Connection.h"
#include "data/DataModules.h"
#include "data/DataSet.h"
#include "data/OrdersDm.h"
#include "data/ScopedValue.h"

#include <QCoreApplication>
#include <algorithm>
#include <vector>

namespace {

// A flight with room for every sale of the run, its seats raised if need be.
int roomyFlight(TConnection& connection, int sales) {
    const int flightId = 1;
    connection.Engine().execute({QStringLiteral("UPDATE tblAir SET seats = seats + %1 WHERE id = "
                                                "(SELECT air_id FROM tblFlight WHERE id = %2)")
                                     .arg(2 * sales)
                                     .arg(flightId)});
    return flightId;
}

double sellTimed(TdmOrders& orders, int flightId, int seat) {
    TDataSet* tbl = orders.tbl;
    tbl->Append();
    tbl->FieldByName(QStringLiteral("flight_id"))->SetAsInteger(flightId);
    tbl->FieldByName(QStringLiteral("clients_id"))->SetAsInteger(1);
    tbl->FieldByName(QStringLiteral("card_id"))->SetAsInteger(1);
    tbl->FieldByName(QStringLiteral("mesto"))->SetAsString(QString::number(seat));
    TBenchClock clock;
    tbl->Post();
    return clock.lap() * 1000;
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: bench_sale DATABASE [SALES]\n");
        return 1;
    }
    const int sales = argc > 2 ? std::max(1, atoi(argv[2])) : 200;
    TConnection connection(QString::fromLocal8Bit(argv[1]));
    connection.Open();
    const int flightId = roomyFlight(connection, sales);
    TDataModules modules(connection);
    modules.openAll();
    TdmOrders& orders = *modules.dmOrders;
    std::vector<double> checked;
    {
        TScopedValue<TDataSetNotifyEvent> noReread(orders.tbl->AfterPost, nullptr);
        for (int i = 0; i < sales; ++i)
            checked.push_back(sellTimed(orders, flightId, i));
    }
    std::vector<double> reread;
    for (int i = 0; i < sales; ++i)
        reread.push_back(sellTimed(orders, flightId, sales + i));
    std::printf("sales %d\nsale_ms %.3f\nsale_with_reread_ms %.3f\n", sales, median(checked), median(reread));
    return 0;
}
