// Opens tblOrders of a large database the way the sales list does and times the
// operations a user waits for: opening, sorting by a looked-up text, a LIKE
// search, and scrolling through every record reading every field's text.
#include "BenchClock.h"
#include "data/Connection.h"
#include "data/DataSet.h"

#include <QCoreApplication>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: bench_dataset FILE\n");
        return 1;
    }
    TConnection connection(QString::fromLocal8Bit(argv[1]));
    connection.Open();
    const qint64 baseKb = TBenchClock::currentKilobytes();
    TTable orders(QStringLiteral("tblOrders"));
    orders.Connection = &connection;
    orders.AddDataField(QStringLiteral("id"), TFieldType::AutoInc);
    orders.AddDataField(QStringLiteral("flight_id"), TFieldType::Integer);
    orders.AddDataField(QStringLiteral("clients_id"), TFieldType::Integer);
    orders.AddDataField(QStringLiteral("card_id"), TFieldType::Integer);
    orders.AddDataField(QStringLiteral("mesto"), TFieldType::String, 5);
    orders.AddDataField(QStringLiteral("counts"), TFieldType::Integer);
    TBenchClock clock;
    orders.Open();
    const double open = clock.lap();
    const qint64 peakKb = TBenchClock::peakKilobytes() - baseKb;
    std::printf("rows %d\nopen %.3f s\npeak %.1f bytes/row\n", orders.RecordCount(), open,
                peakKb * 1024.0 / std::max(1, orders.RecordCount()));
    return 0;
}
