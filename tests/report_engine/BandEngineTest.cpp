#include "report_engine/base/EngineUi.h"
#include "report_engine/model/Bands.h"
#include "report_engine/model/ComponentXml.h"
#include "report_engine/model/MemoView.h"
#include "tests/support/ReportFixture.h"

#include <QXmlStreamWriter>
#include <functional>

namespace {
constexpr double RoutesPageHeight = 277 * 3.77953;
constexpr double LandscapePageHeight = 190 * 3.77953;

QString words(const QString& word, int count) {
    QStringList list;
    for (int i = 0; i < count; ++i)
        list << word;
    return list.join(QLatin1Char(' '));
}

QByteArray templateXml(const TfrxReport& report) {
    QByteArray xml;
    QXmlStreamWriter writer(&xml);
    for (const auto& page : report.Pages())
        frxXml::writeComponent(writer, *page);
    return xml;
}

class TRecordingUi : public TfrxEngineUi {
public:
    void showError(const QString& caption, const QString& text) override { FShown << caption + "|" + text; }
    void processMessages() override { ++FMessages; }
    void progress(int) override {}
    QStringList FShown;
    int FMessages = 0;
};
} // namespace

TEST(BandEngine, RoutesPagesHold39ThenFortyFourRows) {
    TReportFixture fixture("routes", routes(39 + 44 + 5));
    ASSERT_TRUE(fixture.run()) << fixture.FReport.Errors.join("\n").toStdString();
    EXPECT_EQ(fixture.FReport.PreviewPages().GetCount(), 3);
    EXPECT_EQ(fixture.countOnPage("MasterData1", 1), 39);
    EXPECT_EQ(fixture.countOnPage("MasterData1", 2), 44);
    EXPECT_EQ(fixture.countOnPage("MasterData1", 3), 5);

    const auto title = fixture.named("ReportTitle1");
    ASSERT_EQ(title.size(), 1u);
    EXPECT_NEAR(title[0].FHeight, 68.03154, 0.005);
    const auto header = fixture.named("Header1");
    ASSERT_EQ(header.size(), 1u);
    EXPECT_NEAR(header[0].FTop, 68.03154, 0.005);

    const auto footers = fixture.named("PageFooter1");
    ASSERT_EQ(footers.size(), 3u);
    for (const TLayoutLine& footer : footers)
        EXPECT_NEAR(footer.FTop, RoutesPageHeight - 30.23624, 0.005);
    const auto pageNumbers = fixture.named("SysMemo1");
    EXPECT_EQ(pageNumbers[0].FText, "1");
    EXPECT_EQ(pageNumbers[2].FText, "3");

    // Row numbers run on across pages; later pages start with rows at the very top.
    const auto numbers = fixture.named("SysMemo4");
    ASSERT_EQ(numbers.size(), 88u);
    for (size_t i = 0; i < numbers.size(); ++i)
        EXPECT_EQ(numbers[i].FText, QString::number(i + 1));
    EXPECT_EQ(numbers[39].FPage, 2);
    EXPECT_NEAR(numbers[39].FTop, 0, 0.005);
    EXPECT_EQ(fixture.named("frxDsRouteairStart")[0].FText, "Москва");
    EXPECT_EQ(fixture.named("frxDsRouteprice")[0].FText, "4500.5");
}

TEST(BandEngine, LandscapeReportsHoldThirtyRowsOnLaterPages) {
    for (const char* design : {"flights", "orders"}) {
        SCOPED_TRACE(design);
        TReportFixture fixture(design,
                               QString(design) == "flights" ? flights(25 + 30 + 1) : orders(25 + 30 + 1));
        ASSERT_TRUE(fixture.run()) << fixture.FReport.Errors.join("\n").toStdString();
        EXPECT_NEAR(fixture.named("ReportTitle1")[0].FHeight, 75.5906, 0.005);
        // 190 - 8 - 20 - 12 = 150 mm leaves room for exactly 25 rows of 6 mm; the
        // sums in binary fractions miss that by a hair, and the 25th row still fits.
        EXPECT_EQ(fixture.countOnPage("MasterData1", 1), 25);
        EXPECT_EQ(fixture.countOnPage("MasterData1", 2), 30);
        EXPECT_EQ(fixture.countOnPage("MasterData1", 3), 1);
        for (const TLayoutLine& footer : fixture.named("PageFooter1"))
            EXPECT_NEAR(footer.FTop, LandscapePageHeight - 30.23624, 0.005);
    }
}

TEST(BandEngine, CellsShowDisplayTextsAndExpressions) {
    TReportFixture flightsReport("flights", flights(2));
    ASSERT_TRUE(flightsReport.run());
    const auto active = flightsReport.named("frxDsFlightisActive");
    EXPECT_EQ(active[0].FText, "Да");
    EXPECT_EQ(active[1].FText, "Нет");

    TReportFixture ordersReport("orders", orders(2));
    ASSERT_TRUE(ordersReport.run());
    const auto cards = ordersReport.named("frxDsOrderscardpercent");
    EXPECT_EQ(cards[0].FText, ""); // a Null text field is an empty text, never "0"
    EXPECT_EQ(cards[1].FText, "Детский");
    const QDate today = QDate::currentDate();
    const auto date = ordersReport.named("SysMemo2")[0].FText;
    EXPECT_TRUE(date == today.toString("dd.MM.yyyy") || date == today.addDays(-1).toString("dd.MM.yyyy"));
    EXPECT_TRUE(QTime::fromString(ordersReport.named("SysMemo3")[0].FText, "H:mm:ss").isValid());
}

TEST(BandEngine, EmptyDatasetGivesTitleAndFooterOnly) {
    TReportFixture fixture("routes", routes(0));
    ASSERT_TRUE(fixture.run());
    ASSERT_EQ(fixture.FReport.PreviewPages().GetCount(), 1);
    QStringList bands;
    for (const TLayoutLine& line : fixture.layout())
        if (line.FClass.startsWith("Tfrx") && line.FName.contains(QRegularExpression("[0-9]$")) &&
            !line.FClass.contains("Memo"))
            bands << line.FName;
    EXPECT_EQ(bands, (QStringList{"ReportTitle1", "PageFooter1"}));
    EXPECT_EQ(fixture.named("SysMemo1")[0].FText, "1");
}

TEST(BandEngine, WrappingCellMakesTheWholeRowTaller) {
    const struct {
        int words;
        double height;
    } cases[] = {{1, 22.67718}, {5, 33}, {9, 48}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.words);
        TReportFixture fixture("routes", routes(1, words("Москва", c.words)));
        ASSERT_TRUE(fixture.run());
        const auto row = fixture.named("MasterData1");
        EXPECT_NEAR(row[0].FHeight, c.height, 0.005);
        for (const char* cell : {"SysMemo4", "frxDsRouteairStart", "frxDsRouteairTarget", "frxDsRoutetimes"})
            EXPECT_NEAR(fixture.named(cell)[0].FHeight, c.height, 0.005) << cell;
    }
}

TEST(BandEngine, SalesRowsNeverGrow) {
    TReportFixture fixture("orders", orders(1, words("Москва", 30)));
    ASSERT_TRUE(fixture.run());
    EXPECT_NEAR(fixture.named("MasterData1")[0].FHeight, 22.67718, 0.005);
    EXPECT_NEAR(fixture.named("frxDsOrdersflightToString")[0].FHeight, 22.67718, 0.005);
}

TEST(BandEngine, RowExactlyAsTallAsTheFreeSpaceStillFits) {
    for (const double extra : {0.0, 1e-6}) {
        SCOPED_TRACE(extra);
        TReportFixture fixture("routes", routes(3));
        TfrxReportPage* page = fixture.FReport.reportPage();
        page->FindBand(bnReportTitle)->Visible = false;
        page->FindBand(bnHeader)->Visible = false;
        const double rowHeight = (page->PrintableHeight() - page->FindBand(bnPageFooter)->Height) / 2 + extra;
        TfrxBand* data = page->FindBand(bnMasterData);
        for (const auto& cell : data->Objects())
            cell->Height = rowHeight;
        ASSERT_TRUE(fixture.run());
        EXPECT_EQ(fixture.countOnPage("MasterData1", 1), extra == 0 ? 2 : 1);
    }
}

TEST(BandEngine, RowTallerThanAPageIsSplitAtWholeLines) {
    const QString text = words("Москва", 240);
    TReportFixture fixture("routes", routes(2, text));
    ASSERT_TRUE(fixture.run()) << fixture.FReport.Errors.join("\n").toStdString();
    const auto parts = fixture.named("frxDsRouteairStart");
    ASSERT_GE(parts.size(), 3u);
    QStringList joined;
    for (const TLayoutLine& part : parts) {
        EXPECT_LE(part.FTop + part.FHeight, RoutesPageHeight - 30.23624 + 0.01);
        joined << part.FText.split("\\n");
    }
    // Every line of both records, in order, exactly once: nothing lost at a cut.
    const QString line = joined.join(' ');
    EXPECT_EQ(line, text + ' ' + text);
    EXPECT_GT(fixture.FReport.PreviewPages().GetCount(), 2);
}

TEST(BandEngine, BandTreeErrorsStopTheRunBeforeAnyPage) {
    const struct {
        const char* name;
        std::function<void(TfrxReportPage&)> damage;
        const char* error;
    } cases[] = {
        {"header below its data band", [](TfrxReportPage& page) { page.FindBand(bnHeader)->Top = 2000; },
         "Unconnected header/footer Header1"},
        {"data band without a dataset",
         [](TfrxReportPage& page) {
             static_cast<TfrxMasterData*>(page.FindBand(bnMasterData))->DataSetName.clear();
         },
         "Incorrect band position: MasterData1"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TReportFixture fixture("routes", routes(3));
        TRecordingUi ui;
        fixture.FReport.setUi(&ui);
        fixture.FReport.EngineOptions.SilentMode = TfrxSilentMode::simMessageBoxes;
        c.damage(*fixture.FReport.reportPage());
        EXPECT_FALSE(fixture.run());
        EXPECT_EQ(fixture.FReport.PreviewPages().GetCount(), 0);
        ASSERT_EQ(ui.FShown.size(), 1);
        EXPECT_EQ(ui.FShown[0], QStringLiteral("Error|The following error(s) have occured:\r\n") + c.error);
    }
}

// The run prints every record from the first, whichever was current, and gives
// the dataset back on the record it stood on: the windows showing it act on it.
TEST(BandEngine, RunGivesTheDatasetBackWhereItStoodAndTheTemplateUnchanged) {
    TReportFixture fixture("routes", routes(50, words("Москва", 9)));
    TRecordingUi ui;
    fixture.FReport.setUi(&ui);
    bool ownHandlerCalled = false;
    fixture.FSource->setAfterOpen([&] { ownHandlerCalled = true; });
    fixture.FSource->gotoBookmark(7);
    const QByteArray before = templateXml(fixture.FReport);
    ASSERT_TRUE(fixture.run());
    EXPECT_EQ(fixture.named("MasterData1").size(), 50u);
    EXPECT_EQ(fixture.FSource->position(), 7);
    EXPECT_EQ(templateXml(fixture.FReport), before);
    EXPECT_GE(ui.FMessages, 50);
    // The dataset's own notification is back in place after the run.
    fixture.FSource->open();
    EXPECT_TRUE(ownHandlerCalled);
    ASSERT_TRUE(fixture.run());
    EXPECT_EQ(fixture.named("SysMemo1")[0].FText, "1");
}

TEST(BandEngine, UnconnectedDatasetIsReported) {
    TReportFixture fixture("routes", routes(1));
    static_cast<TfrxDBDataset*>(fixture.FReport.Datasets.first().DataSet)->setDataSource(nullptr);
    EXPECT_FALSE(fixture.run());
    EXPECT_EQ(fixture.FReport.Errors, QStringList{"DataSet frxDsRoute is not connected to data"});
}

TEST(BandEngine, TerminatedStopsTheRunKeepingItsPages) {
    TReportFixture fixture("routes", routes(100));
    struct TStopper : TRecordingUi {
        TfrxReport* FReport = nullptr;
        void processMessages() override {
            if (++FMessages == 50)
                FReport->Terminated = true;
        }
    } ui;
    ui.FReport = &fixture.FReport;
    fixture.FReport.setUi(&ui);
    fixture.run();
    const auto rows = fixture.named("MasterData1");
    EXPECT_GT(rows.size(), 0u);
    EXPECT_LT(rows.size(), 100u);
    EXPECT_EQ(fixture.named("PageFooter1").size(),
              static_cast<size_t>(fixture.FReport.PreviewPages().GetCount()));
}

TEST(BandEngine, ObjectsBelowAGrowingCellMoveDown) {
    TReportFixture fixture("routes", routes(1, words("Москва", 9)));
    TfrxBand* data = fixture.FReport.reportPage()->FindBand(bnMasterData);
    // A note under the departure cell, and one under the note: both ride down with the
    // cell; a note beside them stays where it is.
    const auto addNote = [data](const QString& name, double left, double top) {
        auto note = std::make_unique<TfrxMemoView>();
        note->Name = name;
        note->Left = left;
        note->Top = top;
        note->Width = 100;
        note->Height = 10;
        note->Text = name;
        data->add(std::move(note));
    };
    const TfrxComponent* cell = fixture.FReport.FindObject("frxDsRouteairStart");
    addNote("Below", cell->Left + 10, 30);
    addNote("Further", cell->Left + 20, 45);
    addNote("Beside", 700, 30);
    ASSERT_TRUE(fixture.run());
    const double growth = 48 - 22.67718;
    const double row = fixture.named("MasterData1")[0].FTop;
    EXPECT_NEAR(fixture.named("Below")[0].FTop - row, 30 + growth, 0.01);
    EXPECT_NEAR(fixture.named("Further")[0].FTop - row, 45 + growth, 0.01);
    EXPECT_NEAR(fixture.named("Beside")[0].FTop - row, 30, 0.01);
    EXPECT_NEAR(fixture.named("MasterData1")[0].FHeight, 45 + growth + 10, 0.005);
}
