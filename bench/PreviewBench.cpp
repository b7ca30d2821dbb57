// The sales report previewed as the program does it, without a screen: from
// "Выполнить" (ShowReport, the run starting from the report's timer) to the
// first page painted while the run goes on, and the repaint after End once the
// run is over. The preview must never lay out or paint more than the pages in
// view, so both stay short however long the report is.
// Usage: bench_preview DATABASE  (scripts/bench-preview makes one of 100,000 sales)
#include "BenchClock.h"
#include "data/Connection.h"
#include "data/DataModules.h"
#include "data/DataSet.h"
#include "data/OrdersDm.h"
#include "report_engine/base/EngineUi.h"
#include "report_engine/model/Report.h"
#include "report_engine/prepared/PreviewPages.h"
#include "report_engine/preview/Preview.h"
#include "report_engine/preview/PreviewWorkspace.h"
#include "report_engine/run/Engine.h"
#include "reports/ProgramDataSource.h"
#include "reports/ReportTemplates.h"

#include <QApplication>
#include <QEventLoop>
#include <QImage>
#include <cstdio>

namespace {
// The screen of the bench: window messages go through as in the program, and the
// first time page 1 is complete the preview is painted, as the screen would.
class TBenchUi : public TfrxEngineUi {
public:
    TBenchUi(TfrxPreview& preview, TBenchClock& clock) : FPreview(preview), FClock(clock) {}
    void showError(const QString& caption, const QString& text) override {
        std::fprintf(stderr, "%s: %s\n", qPrintable(caption), qPrintable(text));
    }
    void processMessages() override {
        QCoreApplication::processEvents();
        if (FFirstPage < 0 && FPreview.pageCount() >= 2) {
            paint();
            FFirstPage = FClock.lap();
        }
    }
    void progress(int) override {}
    void paint() { FPreview.Workspace()->viewport()->grab().toImage(); }

    double FFirstPage = -1;

private:
    TfrxPreview& FPreview;
    TBenchClock& FClock;
};
} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: bench_preview DATABASE\n");
        return 2;
    }
    TConnection connection(QString::fromLocal8Bit(argv[1]));
    connection.Open();
    TDataModules modules(connection);
    modules.openAll();
    TProgramDataSource source(modules.dmOrders->tbl);
    TfrxReport report;
    loadReportTemplate(report, *findReportKind(QStringLiteral("orders")), source);
    TfrxPreview preview;
    preview.resize(960, 624);
    preview.show();
    report.Preview = &preview;
    TBenchClock clock;
    TBenchUi ui(preview, clock);
    report.setUi(&ui);

    QEventLoop loop;
    clock.lap();
    report.ShowReport(true);
    while (ui.FFirstPage < 0 || report.Engine().Running || preview.Running())
        loop.processEvents(QEventLoop::WaitForMoreEvents, 10);
    const double rest = clock.lap();
    const int pages = preview.pageCount();

    preview.keyDown(Qt::Key_End, Qt::NoModifier);
    ui.paint();
    const double end = clock.lap();
    std::printf("sales %d\npages %d\nfirst_page_s %.3f (goal <= 0.5)\nrest_of_run_s %.3f\nend_repaint_s %.4f "
                "(goal <= 0.1)\n"
                "current_page %d\n",
                modules.dmOrders->tbl->RecordCount(), pages, ui.FFirstPage, rest, end, preview.PageNo());
    return 0;
}
