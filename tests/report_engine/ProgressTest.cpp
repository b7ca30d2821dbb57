// The progress window of an export: one message per page, and Cancel stops the
// export at the next page.
#include "report_engine/base/EngineUi.h"
#include "report_engine/export/csv/CSVExport.h"
#include "tests/support/ReportFixture.h"

#include <QFile>
#include <QTemporaryDir>

namespace {
class TProgressUi : public TfrxEngineUi {
public:
    void showError(const QString& caption, const QString& text) override { FShown << caption + "|" + text; }
    // Cancel is pressed while window messages go through after a page.
    void processMessages() override {
        if (FReport && FMessages.size() == FCancelAt)
            FReport->Terminated = true;
    }
    void progress(int) override {}
    void progressStart(TfrxReport& report, const QString& caption) override {
        FReport = &report;
        FCaption = caption;
    }
    void progressText(const QString& text) override { FMessages << text; }
    void progressStop() override { FStopped = true; }

    TfrxReport* FReport = nullptr;
    QString FCaption;
    QStringList FMessages;
    QStringList FShown;
    int FCancelAt = 0;
    bool FStopped = false;
};

TEST(Progress, AnExportCountsItsPagesAndCancelStopsIt) {
    TReportFixture fixture("routes", routes(88));
    ASSERT_TRUE(fixture.run());
    QTemporaryDir dir;
    const struct {
        const char* Name;
        int CancelAt;
        QStringList Messages;
        bool Written;
    } cases[] = {
        {"to the end",
         0,
         {QStringLiteral("Exporting page 1"), QStringLiteral("Exporting page 2"),
          QStringLiteral("Exporting page 3")},
         true},
        {"cancelled", 2, {QStringLiteral("Exporting page 1"), QStringLiteral("Exporting page 2")}, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        TProgressUi ui;
        ui.FCancelAt = c.CancelAt;
        fixture.FReport.setUi(&ui);
        TfrxCSVExport filter;
        filter.ShowDialog = false;
        filter.FileName = dir.filePath(QStringLiteral("routes.csv"));
        EXPECT_EQ(fixture.FReport.Export(filter), c.Written);
        EXPECT_EQ(ui.FCaption, QStringLiteral("Progress"));
        EXPECT_TRUE(ui.FStopped) << "the window closes however the export ends";
        EXPECT_EQ(ui.FMessages, c.Messages);
        QFile file(filter.FileName);
        EXPECT_EQ(file.exists(), c.Written) << "a cancelled export leaves no file";
        if (c.Written) {
            ASSERT_TRUE(file.open(QIODevice::ReadOnly));
            EXPECT_TRUE(file.readAll().contains("\r\n88;")) << "the last row, 88, is on page 3";
            file.remove();
        }
        EXPECT_TRUE(ui.FShown.isEmpty()) << "a cancelled export is no error";
        fixture.FReport.setUi(nullptr);
    }
}
} // namespace
