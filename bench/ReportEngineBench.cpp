// Runs the sales report over an in-memory dataset of many sales, as a long report
// is run from the program, and times what the user waits for: preparing the pages
// and saving them as .zrp. The dataset lives in memory, so the figures are the
// engine's own, without the database. Prints one "name value" a line.
#include "BenchClock.h"
#include "report_engine/model/Report.h"
#include "report_engine/model/ReportTemplate.h"
#include "report_engine/prepared/PreviewPages.h"
#include "report_engine/prepared/ZrpFile.h"
#include "report_engine/run/DBDataset.h"
#include "tests/support/FakeDataSource.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <ctime>

namespace {
// Sales rows with texts of the length the program's descriptions have.
std::unique_ptr<TFakeDataSource> sales(int count) {
    auto source = std::make_unique<TFakeDataSource>(QStringList{
        "id", "flight_id", "clients_id", "card_id", "mesto", "counts", "flight.ToString", "clients.c_fio",
        "clients.phones", "cards.names", "route.price", "card.percent", "itogo"});
    const QStringList cities{"Москва", "Санкт-Петербург", "Новосибирск", "Екатеринбург", "Казань", "Сочи"};
    for (int i = 0; i < count; ++i) {
        const QString flight = QStringLiteral("SU%1 %2 - %3 %4.12.2019 12:05")
                                   .arg(100 + i % 900)
                                   .arg(cities[i % 6], cities[(i / 6) % 6])
                                   .arg(1 + i % 28, 2, 10, QLatin1Char('0'));
        source->addRow({i + 1, 1 + i % 900, 1 + i % 5000, 1 + i % 4, QString::number(1 + i % 180), 1, flight,
                        QStringLiteral("Иванов%1 Иван Иванович").arg(i % 5000), "+7 900 123-45-67",
                        i % 2 ? "Детский" : "Взрослый", 4500 + i % 1000, 10, 4950 + i % 1000});
    }
    return source;
}
} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const int rows = argc > 1 ? QByteArray(argv[1]).toInt() : 100000;
    auto source = sales(rows);
    TfrxReport report;
    frxTemplate::loadFile(report, QStringLiteral(":/templates/orders.xml"));
    static_cast<TfrxDBDataset*>(report.Datasets.first().DataSet)->setDataSource(source.get());
    report.EngineOptions.SilentMode = TfrxSilentMode::simSilent;

    const qint64 before = TBenchClock::currentKilobytes();
    // Other builds share the machine, so the processor time of each step is printed beside its wall time.
    std::clock_t cpu = std::clock();
    TBenchClock clock;
    if (!report.PrepareReport(true)) {
        std::fprintf(stderr, "%s\n", qPrintable(report.Errors.join('\n')));
        return 1;
    }
    const double prepare = clock.lap();
    const double prepareCpu = double(std::clock() - cpu) / CLOCKS_PER_SEC;
    cpu = std::clock();
    const QString file = QDir::temp().filePath(QStringLiteral("bench-orders.zrp"));
    frxZrp::saveToFile(report.PreviewPages(), file);
    const double save = clock.lap();
    const double saveCpu = double(std::clock() - cpu) / CLOCKS_PER_SEC;
    const qint64 peak = TBenchClock::peakKilobytes();
    const int pages = report.PreviewPages().GetCount();
    std::printf(
        "rows %d\npages %d\nprepare_s %.3f\nprepare_cpu_s %.3f\nsave_zrp_s %.3f\nsave_zrp_cpu_s %.3f\n", rows,
        pages, prepare, prepareCpu, save, saveCpu);
    std::printf("pages_per_s %.0f\npages_per_cpu_s %.0f\n", pages / (prepare + save),
                pages / (prepareCpu + saveCpu));
    std::printf("zrp_bytes %lld\nrss_before_kb %lld\npeak_kb %lld\nbytes_per_row %.0f\n",
                static_cast<long long>(QFileInfo(file).size()), static_cast<long long>(before),
                static_cast<long long>(peak), (peak - before) * 1024.0 / rows);
    QFile::remove(file);
    return 0;
}
