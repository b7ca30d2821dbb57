#include "report_engine/base/EngineUi.h"
#include "report_engine/base/ReportError.h"
#include "report_engine/export/common/ExportFilter.h"
#include "report_engine/export/csv/CSVExport.h"
#include "report_engine/export/pdf/PDFExport.h"
#include "report_engine/model/Bands.h"
#include "report_engine/model/MemoView.h"
#include "report_engine/run/Engine.h"
#include "report_engine/run/PageNumbers.h"
#include "tests/support/ReportFixture.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {
// An object as "page:name@left,top:text".
QString described(int page, const TfrxComponent& object) {
    const TfrxCustomMemoView* memo = object.asMemo();
    return QStringLiteral("%1:%2@%3,%4:%5")
        .arg(page)
        .arg(object.Name)
        .arg(object.AbsLeft(), 0, 'f', 2)
        .arg(object.AbsTop(), 0, 'f', 2)
        .arg(memo ? memo->Text : QString());
}

// Records what the driver hands over, each object described.
class TRecordingFilter : public TfrxCustomExportFilter {
public:
    QString GetDescription() const override { return "recording"; }
    bool ShowModal() override { return FConfirm; }
    bool Start() override {
        FEvents << "start";
        return FStart;
    }
    void StartPage(const TfrxReportPage&, int index) override { FPage = index + 1; }
    void ExportObject(const TfrxComponent& object) override {
        if (object.Name == FFailOn)
            throw EfrxError("disk full");
        FEvents << described(FPage, object);
    }
    void Finish() override { FEvents << "finish"; }
    QStringList named(const QString& name) const { return FEvents.filter(":" + name + "@"); }

    bool FConfirm = true;
    bool FStart = true;
    QString FFailOn;
    int FPage = 0;
    QStringList FEvents;
};

class TErrorUi : public TfrxEngineUi {
public:
    void showError(const QString&, const QString& text) override { FShown << text; }
    void processMessages() override {
        if (FDuringRun)
            FDuringRun();
    }
    void progress(int) override {}
    QStringList FShown;
    std::function<void()> FDuringRun;
};
} // namespace

TEST(PageNumbers, SelectedPagesOfAnExport) {
    const struct {
        const char* text;
        std::vector<bool> expected;
    } cases[] = {{"", {true, true, true, true}},
                 {"1,3", {true, false, true, false}},
                 {"2-3", {false, true, true, false}},
                 {" 4 , 1-1", {true, false, false, true}},
                 {"3-2000000000", {false, false, true, true}},
                 {"2-", {false, true, true, true}},
                 {"1, 3 -", {true, false, true, true}}};
    for (const auto& c : cases)
        EXPECT_EQ(frxSelectedPages(c.text, 4), c.expected) << c.text;
    for (const char* bad : {"x", "0", "3-1", "1-2-3", "1,,2", "-2"})
        EXPECT_FALSE(frxSelectedPages(bad, 4).has_value()) << bad;
}

TEST(ExportDriver, HandsEveryBandAndObjectOfTheChosenPages) {
    TReportFixture fixture("routes", routes(50));
    ASSERT_TRUE(fixture.run());
    TRecordingFilter all;
    ASSERT_TRUE(fixture.FReport.Export(all));
    EXPECT_EQ(all.FEvents.first(), "start");
    EXPECT_EQ(all.FEvents.last(), "finish");
    EXPECT_EQ(all.named("MasterData1").size(), 50);
    // Positions are on paper: the 10 mm margins are added.
    EXPECT_EQ(all.named("Memo4").first(), "1:Memo4@60.47,45.35:Документ сгенерирован");
    EXPECT_EQ(all.named("PageFooter1").size(), 2);

    TRecordingFilter second;
    second.PageNumbers = "2";
    second.DataOnly = true;
    ASSERT_TRUE(fixture.FReport.Export(second));
    EXPECT_EQ(second.named("SysMemo4").first(), "2:SysMemo4@49.13,37.80:40");
    EXPECT_TRUE(second.named("SysMemo1").isEmpty()); // the footer is no data
    EXPECT_TRUE(second.named("MasterData1").isEmpty());
}

// The export reuses its objects from page to page: every page must still reach
// the filter exactly as the drawing's finished page shows it, the shorter last
// page and the page count included.
TEST(ExportDriver, EveryPageAsItsFinishedDrawing) {
    TReportFixture fixture("routes", routes(200));
    ASSERT_TRUE(fixture.run());
    TRecordingFilter all;
    ASSERT_TRUE(fixture.FReport.Export(all));
    const TfrxPreviewPages& pages = fixture.FReport.PreviewPages();
    ASSERT_GT(pages.GetCount(), 3);
    QStringList expected{"start"};
    for (int index = 0; index < pages.GetCount(); ++index) {
        const std::unique_ptr<TfrxReportPage> page = pages.FinishedPage(index);
        for (const auto& band : page->Objects()) {
            expected << described(index + 1, *band);
            for (const auto& object : band->Objects())
                expected << described(index + 1, *object);
        }
    }
    expected << "finish";
    EXPECT_EQ(all.FEvents, expected);
}

TEST(ExportDriver, CancelWritesNothingAndFailuresAreReported) {
    TReportFixture fixture("routes", routes(3));
    ASSERT_TRUE(fixture.run());
    TErrorUi ui;
    fixture.FReport.setUi(&ui);
    fixture.FReport.EngineOptions.SilentMode = TfrxSilentMode::simMessageBoxes;

    TRecordingFilter cancelled;
    cancelled.FConfirm = false;
    EXPECT_FALSE(fixture.FReport.Export(cancelled));
    EXPECT_TRUE(cancelled.FEvents.isEmpty());

    TRecordingFilter failing;
    failing.FFailOn = "SysMemo1";
    EXPECT_FALSE(fixture.FReport.Export(failing));
    EXPECT_EQ(ui.FShown, QStringList{"The following error(s) have occured:\r\ndisk full"});

    TRecordingFilter badPages;
    badPages.PageNumbers = "7-3";
    EXPECT_FALSE(fixture.FReport.Export(badPages));
    EXPECT_FALSE(badPages.FEvents.contains("start"));
}

// A file export is complete or not there at all: cancelled half-way or unable
// to create its file, it leaves what was at the target as it was and no file
// of its own beside it; finished, it replaces the old file.
TEST(ExportDriver, FilesTakeTheirNameOnlyWhenComplete) {
    TReportFixture fixture("routes", routes(60));
    ASSERT_TRUE(fixture.run());
    ASSERT_GT(fixture.FReport.PreviewPages().GetCount(), 1);
    TErrorUi ui;
    fixture.FReport.setUi(&ui);
    fixture.FReport.EngineOptions.SilentMode = TfrxSilentMode::simMessageBoxes;
    QTemporaryDir dir;
    const QString target = dir.filePath(QStringLiteral("report"));
    const auto contents = [&target] {
        QFile file(target);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    };
    const std::unique_ptr<TfrxCustomExportFilter> filters[] = {std::make_unique<TfrxCSVExport>(),
                                                               std::make_unique<TfrxPDFExport>()};
    for (const auto& filter : filters) {
        SCOPED_TRACE(filter->GetDescription().toStdString());
        QFile old(target);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("old\n");
        old.close();
        filter->ShowDialog = false;
        filter->FileName = target;

        // Cancel in the progress window after the first page.
        ui.FDuringRun = [&fixture] { fixture.FReport.Terminated = true; };
        EXPECT_FALSE(fixture.FReport.Export(*filter));
        ui.FDuringRun = nullptr;
        EXPECT_EQ(contents(), QByteArray("old\n"));

        filter->FileName = dir.path();
        ui.FShown.clear();
        EXPECT_FALSE(fixture.FReport.Export(*filter));
        ASSERT_EQ(ui.FShown.size(), 1);
        EXPECT_TRUE(ui.FShown[0].contains(QStringLiteral("Cannot create ") + dir.path()))
            << ui.FShown[0].toStdString();

        filter->FileName = target;
        EXPECT_TRUE(fixture.FReport.Export(*filter));
        EXPECT_GT(contents().size(), 1000);
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("report")});
    }
}

TEST(ShowReport, RunsFromTheMessageLoopAndIgnoresSecondRequests) {
    TReportFixture fixture("routes", routes(45));
    TErrorUi ui;
    fixture.FReport.setUi(&ui);
    int ignoredCalls = 0;
    ui.FDuringRun = [&] {
        if (fixture.FReport.Engine().Running && ignoredCalls++ == 0)
            fixture.FReport.ShowReport(true); // must not clear the pages of the running run
    };
    fixture.FReport.ShowReport(true);
    EXPECT_EQ(fixture.FReport.PreviewPages().GetCount(), 0);
    QTRY_COMPARE_WITH_TIMEOUT(fixture.FReport.PreviewPages().GetCount(), 2, 2000);
    EXPECT_GT(ignoredCalls, 0);
    QTest::qWait(100);
    EXPECT_EQ(fixture.named("MasterData1").size(), 45u);
}
