#include "report_engine/base/EngineUi.h"
#include "report_engine/base/ReportError.h"
#include "tests/support/RecordingPrinter.h"
#include "tests/support/ReportFixture.h"

#include <functional>

namespace {
// The screen of a print: a scripted dialog, the boxes it showed and what its
// progress window said after each page.
class TPrintScreen : public TfrxEngineUi {
public:
    void showError(const QString& caption, const QString& text) override { FShown << caption + ": " + text; }
    void processMessages() override {}
    void progress(int) override {}
    bool printDialog(TfrxPrintOptions& options, int currentPage) override {
        ++FDialogs;
        FCurrentPage = currentPage;
        return FDialog ? FDialog(options) : true;
    }
    void progressStart(TfrxReport& report, const QString&) override { FReport = &report; }
    void progressText(const QString& text) override {
        FProgressTexts << text;
        if (FProgressTexts.size() == FCancelAfter)
            FReport->Terminated = true;
    }
    void progressStop() override { FProgressTexts << "closed"; }

    std::function<bool(TfrxPrintOptions&)> FDialog;
    int FCancelAfter = 0;
    int FDialogs = 0;
    int FCurrentPage = -1;
    TfrxReport* FReport = nullptr;
    QStringList FShown;
    QStringList FProgressTexts;
};

class Printing : public ::testing::Test {
protected:
    void SetUp() override {
        FPrinters = installRecordingPrinters({"First", "Second"});
        TfrxEngineUi::install(&FScreen);
    }
    void TearDown() override { TfrxEngineUi::install(nullptr); }
    QStringList log() const { return FPrinters[0]->FLog; }

    TPrintScreen FScreen;
    std::vector<TRecordingPrinter*> FPrinters;
};
} // namespace

// A print with the dialog's choices: one job with the default title, the device
// set up once for pages on the same paper, and the report's options back as
// they were afterwards.
TEST_F(Printing, OneJobThenTheOptionsAreBack) {
    TReportFixture fixture("routes", routes(150));
    ASSERT_TRUE(fixture.run());
    const int pages = fixture.FReport.PreviewPages().GetCount();
    ASSERT_GE(pages, 3);
    const TfrxPrintOptions before = fixture.FReport.PrintOptions;
    FScreen.FDialog = [](TfrxPrintOptions& options) {
        options.Copies = 2;
        options.Collate = false;
        options.PageNumbers = "1-3";
        options.Reverse = true;
        return true;
    };
    fixture.FReport.PreviewPages().CurPreviewPage = 2;
    EXPECT_TRUE(fixture.FReport.Print());
    EXPECT_EQ(FScreen.FCurrentPage, 2);
    EXPECT_EQ(log(), QStringList({"params 9 210x297 portrait copies=2 duplex=0 bin=7",
                                  "begin \"Zelvora Report Document\" ", "page", "page", "page", "end"}));
    EXPECT_EQ(FScreen.FProgressTexts,
              QStringList({"Printing page 3", "Printing page 2", "Printing page 1", "closed"}));
    const TfrxPrintOptions& after = fixture.FReport.PrintOptions;
    EXPECT_EQ(after.Copies, before.Copies);
    EXPECT_EQ(after.Collate, before.Collate);
    EXPECT_EQ(after.PageNumbers, before.PageNumbers);
    EXPECT_EQ(after.Reverse, before.Reverse);
    EXPECT_EQ(after.Printer, QStringLiteral("Default"));
}

TEST_F(Printing, RefusalsPrintNothing) {
    TReportFixture fixture("routes", routes(10));
    ASSERT_TRUE(fixture.run());

    FScreen.FDialog = [](TfrxPrintOptions& options) {
        options.Copies = 5;
        return false;
    };
    EXPECT_FALSE(fixture.FReport.Print()) << "Cancel in the dialog";
    EXPECT_EQ(fixture.FReport.PrintOptions.Copies, 1);

    FScreen.FDialog = [](TfrxPrintOptions& options) {
        options.PrintPages = TfrxPrintPages::ppEven;
        return true;
    };
    EXPECT_TRUE(fixture.FReport.Print()) << "no even page in a one-page report";

    FScreen.FDialog = [](TfrxPrintOptions& options) {
        options.PageNumbers = "1-x";
        return true;
    };
    EXPECT_THROW(fixture.FReport.Print(), EfrxError);
    EXPECT_TRUE(fixture.FReport.PrintOptions.PageNumbers.isEmpty()) << "options back after the error";

    FScreen.FDialog = [](TfrxPrintOptions& options) {
        options.PrintMode = TfrxPrintMode::pmSplit;
        return true;
    };
    EXPECT_FALSE(fixture.FReport.Print());
    EXPECT_TRUE(log().isEmpty()) << log().join('\n').toStdString();
    EXPECT_EQ(FScreen.FShown, QStringList({"Error: Splitting big pages is not supported. Choose "
                                           "another print mode."}));

    TReportFixture empty("routes", routes(1));
    FScreen.FDialog = nullptr;
    EXPECT_TRUE(empty.FReport.Print()) << "before any run";
    EXPECT_EQ(FScreen.FDialogs, 5) << "the dialog is shown even with nothing to print";
    EXPECT_TRUE(log().isEmpty());
}

TEST_F(Printing, NoPrinterOrAnInvalidOne) {
    TReportFixture fixture("routes", routes(10));
    ASSERT_TRUE(fixture.run());
    frxInstallPrinters(TfrxPrinters({}, 0));
    EXPECT_EQ(frxPrinters().Printers(), QStringList({"Virtual"}));
    EXPECT_FALSE(fixture.FReport.Print());
    EXPECT_EQ(FScreen.FShown, QStringList({"Error: No printers installed on your system"}));
    EXPECT_EQ(FScreen.FDialogs, 0);

    std::vector<std::unique_ptr<TfrxCustomPrinter>> printers;
    printers.push_back(std::make_unique<TRecordingPrinter>("Broken", false));
    frxInstallPrinters(TfrxPrinters(std::move(printers), 0));
    EXPECT_TRUE(fixture.FReport.Print());
    EXPECT_EQ(FScreen.FShown.last(), QStringLiteral("Error: Printer selected is not valid"));
    EXPECT_TRUE(static_cast<TRecordingPrinter&>(frxPrinters().Printer()).FLog.isEmpty());
}

// The printer named in the options is taken whatever its case; "Default" names
// none, so the current printer, the one chosen last, stays.
TEST_F(Printing, PrinterByNameOrTheOneChosenLast) {
    TReportFixture fixture("routes", routes(10));
    ASSERT_TRUE(fixture.run());
    fixture.FReport.PrintOptions.Printer = "sECOND";
    EXPECT_TRUE(fixture.FReport.Print());
    EXPECT_EQ(FPrinters[1]->FLog.size(), 4);
    fixture.FReport.PrintOptions.Printer = "Default";
    EXPECT_TRUE(fixture.FReport.Print());
    EXPECT_EQ(FPrinters[1]->FLog.size(), 8);
    EXPECT_TRUE(log().isEmpty());
}

TEST_F(Printing, CancelInTheProgressWindowDropsTheJob) {
    TReportFixture fixture("routes", routes(150));
    ASSERT_TRUE(fixture.run());
    FScreen.FCancelAfter = 1;
    EXPECT_TRUE(fixture.FReport.Print());
    EXPECT_EQ(log(), QStringList({"params 9 210x297 portrait copies=1 duplex=0 bin=7",
                                  "begin \"Zelvora Report Document\" ", "page", "abort"}));
    EXPECT_EQ(FScreen.FProgressTexts.last(), QStringLiteral("closed"));
}

TEST_F(Printing, JoinedPagesShareASheet) {
    TReportFixture fixture("routes", routes(150));
    ASSERT_TRUE(fixture.run());
    ASSERT_EQ(fixture.FReport.PreviewPages().GetCount(), 4) << "two sheets of two";
    FScreen.FDialog = [](TfrxPrintOptions& options) {
        options.PrintMode = TfrxPrintMode::pmJoin;
        options.PagesOnSheet = 2;
        options.PrintOnSheet = 11;
        return true;
    };
    EXPECT_TRUE(fixture.FReport.Print());
    EXPECT_EQ(log(), QStringList({"params 11 210x148 landscape copies=1 duplex=0 bin=7",
                                  "begin \"Zelvora Report Document\" ", "page", "page", "end"}));
}

// The page is drawn at the printer's resolution with its coordinates measured
// from the sheet's edge: a printer that cannot reach 4 mm on the left and 3 mm
// at the top moves the drawing back by just that much.
TEST_F(Printing, ThePageIsDrawnFromTheSheetsEdge) {
    TReportFixture fixture("routes", routes(10));
    ASSERT_TRUE(fixture.run());
    const auto drawn = [&](int dpi, int left, int top) {
        TRecordingPrinter& printer = *FPrinters[0];
        printer.DPI = QPoint(dpi, dpi);
        printer.LeftMargin = left;
        printer.TopMargin = top;
        EXPECT_TRUE(fixture.FReport.Print());
        return QRectF(printer.FPicture.boundingRect());
    };
    const QRectF edgeless = drawn(600, 0, 0);
    const QRectF withEdges = drawn(600, 4, 3);
    EXPECT_NEAR(withEdges.left(), edgeless.left() - 4 * 600 / 25.4, 1);
    EXPECT_NEAR(withEdges.top(), edgeless.top() - 3 * 600 / 25.4, 1);
    EXPECT_NEAR(withEdges.width(), edgeless.width(), 1);
    // The leftmost object, its place on the sheet at 600 per inch.
    double leftmost = 1e9;
    const std::unique_ptr<TfrxReportPage> page = fixture.FReport.PreviewPages().FinishedPage(0);
    for (const auto& band : page->Objects())
        for (const auto& object : band->Objects())
            leftmost = std::min(leftmost, object->AbsLeft());
    // Its frame's line, one unit wide, reaches half that beyond it.
    EXPECT_NEAR(edgeless.left(), (leftmost - 0.5) * 600 / 96, 1);
    const QRectF coarse = drawn(300, 0, 0);
    EXPECT_NEAR(coarse.width() * 2, edgeless.width(), 3);
}
