// The preview control: where it places pages, which page is current, keyboard
// navigation, text search, saving and loading, and following a run.
#include "report_engine/preview/Preview.h"
#include "report_engine/base/EngineUi.h"
#include "report_engine/preview/PreviewWorkspace.h"
#include "tests/support/ReportFixture.h"

#include <QCoreApplication>
#include <QFile>
#include <QKeyEvent>
#include <QScrollBar>
#include <QStyle>
#include <QTemporaryDir>
#include <stdexcept>

namespace {

// The screen as the preview sees it: files chosen and messages shown are recorded.
class TPreviewUi : public TfrxEngineUi {
public:
    void showError(const QString& caption, const QString& text) override { FShown << caption + "|" + text; }
    void processMessages() override {
        if (FDuringRun)
            FDuringRun();
    }
    void progress(int) override {}
    QString fileDialog(bool save, const QString& filter) override {
        if (!FFileDialogFailure.isEmpty())
            throw std::runtime_error(FFileDialogFailure.toStdString());
        FFilters << QString::fromLatin1(save ? "save " : "open ") + filter;
        return FFile;
    }
    void showMessage(const QString& text) override { FShown << text; }

    QStringList FShown;
    QStringList FFilters;
    QString FFile;
    QString FFileDialogFailure; // the file dialog fails with this text
    std::function<void()> FDuringRun;
};

// A report shown in a preview of the host's size, 960 × 624.
class Preview : public ::testing::Test {
protected:
    void show(const QString& design, std::unique_ptr<TFakeDataSource> source) {
        FFixture = std::make_unique<TReportFixture>(design, std::move(source));
        FFixture->FReport.setUi(&FUi);
        FFixture->FReport.EngineOptions.SilentMode = TfrxSilentMode::simMessageBoxes;
        FFixture->FReport.Preview = &FPreview;
        FPreview.resize(960, 624);
        ASSERT_TRUE(FFixture->run());
    }
    TfrxPreviewWorkspace& workspace() { return *FPreview.Workspace(); }
    // Width available to a row of pages.
    int rowWidth() {
        return workspace().width() - FPreview.style()->pixelMetric(QStyle::PM_ScrollBarExtent) - 26;
    }
    void press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        FPreview.keyDown(key, modifiers);
    }

    TPreviewUi FUi;
    TfrxPreview FPreview;
    std::unique_ptr<TReportFixture> FFixture;
};

// Rows named by their destination, `count` rows in all; the rest go to "Омск".
std::unique_ptr<TFakeDataSource> routesTo(int count, const std::map<int, QString>& destinations) {
    auto source = routes(0);
    for (int i = 0; i < count; ++i) {
        const auto found = destinations.find(i);
        source->addRow({100 + i, QStringLiteral("Москва"),
                        found == destinations.end() ? QStringLiteral("Омск") : found->second, 4500.5, 120});
    }
    return source;
}

TEST_F(Preview, ThreePortraitPagesStandOneAboveTheOtherCentred) {
    show(QStringLiteral("routes"), routes(88));
    ASSERT_EQ(FPreview.pageCount(), 3);
    const int w = rowWidth();
    ASSERT_LT(w, 794 + 10 + 794) << "one page per row";
    const int tops[] = {10, 1143, 2276};
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(workspace().PageList[i].Width, 794);
        EXPECT_EQ(workspace().PageList[i].Height, 1123);
        EXPECT_EQ(workspace().PageList[i].OffsetY, tops[i]);
        EXPECT_EQ(workspace().PageList[i].OffsetX, std::max(0, (w - 794) / 2) + 10);
    }
    EXPECT_EQ(workspace().verticalScrollBar()->maximum(),
              2276 + 1123 + 10 - workspace().viewport()->height());
}

TEST_F(Preview, ALandscapePageWiderThanTheViewStandsAtTheLeft) {
    show(QStringLiteral("flights"), flights(2));
    ASSERT_GE(FPreview.pageCount(), 1);
    EXPECT_EQ(workspace().PageList[0].Width, 1123);
    EXPECT_EQ(workspace().PageList[0].OffsetX, 10);
    EXPECT_EQ(workspace().PageList[0].OffsetY, 10);
    EXPECT_GT(workspace().horizontalScrollBar()->maximum(), 0) << "the view scrolls sideways";
}

TEST_F(Preview, KeysKeepThePageWithinTheReport) {
    show(QStringLiteral("routes"), routes(88));
    const struct {
        const char* Name;
        int Start;
        int Key;
        Qt::KeyboardModifiers Modifiers;
        int Page;
    } cases[] = {
        {"End", 1, Qt::Key_End, Qt::NoModifier, 3},
        {"Home", 3, Qt::Key_Home, Qt::NoModifier, 1},
        {"next page", 1, Qt::Key_PageDown, Qt::ControlModifier, 2},
        {"next after the last", 3, Qt::Key_PageDown, Qt::ControlModifier, 3},
        {"previous before the first", 1, Qt::Key_PageUp, Qt::ControlModifier, 1},
        {"previous page", 3, Qt::Key_PageUp, Qt::ControlModifier, 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        FPreview.SetPageNo(c.Start);
        press(c.Key, c.Modifiers);
        EXPECT_EQ(FPreview.PageNo(), c.Page);
        EXPECT_EQ(workspace().Offset().y(), std::min(workspace().PageList[c.Page - 1].OffsetY - 10,
                                                     workspace().verticalScrollBar()->maximum()))
            << "the page's top 10 pixels below the edge";
    }
    FPreview.SetPageNo(7);
    EXPECT_EQ(FPreview.PageNo(), 3);
    FPreview.SetPageNo(-2);
    EXPECT_EQ(FPreview.PageNo(), 1);
}

// A page becomes current once its top is within a fifth of its height of the top edge.
TEST_F(Preview, ScrollingMakesThePageNearTheTopCurrent) {
    show(QStringLiteral("routes"), routes(88));
    const int fifth = 225; // round(1123 / 5)
    const struct {
        int Position;
        int Page;
    } cases[] = {{1143 - fifth - 1, 1}, {1143 - fifth, 2}, {2276 - fifth - 1, 2}, {2276 - fifth, 3}, {0, 1}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Position);
        workspace().SetPosition(0, c.Position);
        EXPECT_EQ(FPreview.PageNo(), c.Page);
    }
    const int before = workspace().Offset().y();
    press(Qt::Key_Down);
    EXPECT_EQ(workspace().Offset().y(), before + 8);
    press(Qt::Key_PageDown);
    EXPECT_EQ(workspace().Offset().y(), before + 8 + 300);
}

TEST_F(Preview, SearchFindsEachLineInTurnThenSaysNotFound) {
    // Page 1 holds 39 rows, page 2 the next 44.
    show(QStringLiteral("routes"), routesTo(88, {{2, QStringLiteral("Сочи")},
                                                 {5, QStringLiteral("Большой Сочи")},
                                                 {60, QStringLiteral("Сочи")}}));
    ASSERT_EQ(FPreview.pageCount(), 3);
    ASSERT_TRUE(FPreview.FindText(QStringLiteral("сочи"), true, false));
    EXPECT_EQ(workspace().LastFoundPage, 0);
    const QRectF first = workspace().FoundRect;
    press(Qt::Key_F3);
    EXPECT_EQ(workspace().LastFoundPage, 0);
    EXPECT_GT(workspace().FoundRect.top(), first.top()) << "the second line of page 1";
    press(Qt::Key_F3);
    EXPECT_EQ(workspace().LastFoundPage, 1);
    EXPECT_EQ(FPreview.PageNo(), 2);
    EXPECT_TRUE(FUi.FShown.isEmpty());
    press(Qt::Key_F3);
    EXPECT_EQ(FUi.FShown, QStringList({QStringLiteral("Text not found")}));
}

TEST_F(Preview, SearchKeepsToCaseWhenAskedAndSurvivesOddTexts) {
    show(QStringLiteral("routes"), routesTo(3, {{1, QStringLiteral("Сочи")}}));
    const struct {
        QString Text;
        bool CaseSensitive;
        bool Found;
    } cases[] = {{QStringLiteral("СОЧИ"), false, true},
                 {QStringLiteral("СОЧИ"), true, false},
                 {QStringLiteral("Сочи"), true, true},
                 {QString(), false, false},
                 {QStringLiteral("☃\U0001F600"), false, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Text.toStdString());
        EXPECT_EQ(FPreview.FindText(c.Text, true, c.CaseSensitive), c.Found);
    }
}

TEST_F(Preview, SavedPagesLoadBackTheSame) {
    show(QStringLiteral("routes"), routes(88));
    const QString listing = frxLayoutListing(*FPreview.PreviewPages());
    QTemporaryDir dir;
    FUi.FFile = dir.filePath(QStringLiteral("routes.txt"));
    press(Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(FUi.FFilters, QStringList({QStringLiteral("save Prepared Report (*.zrp)")}));
    ASSERT_TRUE(QFile::exists(dir.filePath(QStringLiteral("routes.zrp"))));

    FFixture->FReport.PreviewPages().Clear();
    FPreview.UpdatePages();
    FUi.FFile = dir.filePath(QStringLiteral("routes.zrp"));
    press(Qt::Key_O, Qt::ControlModifier);
    EXPECT_TRUE(FUi.FShown.isEmpty()) << FUi.FShown.join("\n").toStdString();
    EXPECT_EQ(FPreview.pageCount(), 3);
    EXPECT_EQ(frxLayoutListing(*FPreview.PreviewPages()), listing);
    EXPECT_EQ(workspace().PageList.Count(), 3);
    EXPECT_EQ(FPreview.PageNo(), 1);
}

// A file that is not a prepared report, or a folder that cannot be written: one
// message, and the pages shown stay.
TEST_F(Preview, BadFilesAreToldOnceAndThePagesStay) {
    show(QStringLiteral("routes"), routes(88));
    QTemporaryDir dir;
    const QString damaged = dir.filePath(QStringLiteral("damaged.zrp"));
    QFile file(damaged);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("ZRP2 this is not what it claims to be");
    file.close();
    const struct {
        const char* Name;
        int Key;
        QString File;
    } cases[] = {
        {"damaged", Qt::Key_O, damaged},
        {"not a report", Qt::Key_O, QStringLiteral(":/templates/routes.xml")},
        {"unwritable folder", Qt::Key_S, dir.filePath(QStringLiteral("no/such/folder/x.zrp"))},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        FUi.FShown.clear();
        FUi.FFile = c.File;
        press(c.Key, Qt::ControlModifier);
        EXPECT_EQ(FUi.FShown.size(), 1);
        EXPECT_EQ(FPreview.pageCount(), 3);
        EXPECT_FALSE(FPreview.Locked());
    }
    EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("no/such/folder/x.zrp"))));
}

// While a run fills the pages only the first 50 are laid out, and printing,
// saving and loading are ignored; at the end every page is in place.
TEST_F(Preview, ARunIsFollowedAndCommandsWaitForItsEnd) {
    int mostLaidOut = 0;
    bool commandsAsked = false;
    FUi.FDuringRun = [&] {
        mostLaidOut = std::max(mostLaidOut, workspace().PageList.Count());
        if (FPreview.Running() && !commandsAsked) {
            commandsAsked = true;
            press(Qt::Key_S, Qt::ControlModifier);
            press(Qt::Key_O, Qt::ControlModifier);
            press(Qt::Key_P, Qt::ControlModifier);
        }
    };
    show(QStringLiteral("routes"), routes(60 * 44));
    const int pages = FPreview.pageCount();
    ASSERT_GT(pages, 50);
    EXPECT_TRUE(commandsAsked);
    EXPECT_TRUE(FUi.FFilters.isEmpty()) << "no file dialog during the run";
    EXPECT_TRUE(FUi.FShown.isEmpty()) << "no printing during the run";
    EXPECT_EQ(mostLaidOut, 50);
    EXPECT_FALSE(FPreview.Running());
    EXPECT_EQ(workspace().PageList.Count(), pages);
    EXPECT_TRUE(FPreview.Tick() == 5 || FPreview.Tick() == 20 || FPreview.Tick() == 50);
}

// What a key runs may fail; the screen shows the error and the preview stays,
// the error never unwinding through Qt's frames to the application's catch-all.
TEST_F(Preview, AFailingKeyCommandIsShownAndThePagesStay) {
    show(QStringLiteral("routes"), routes(88));
    FUi.FFileDialogFailure = QStringLiteral("no file dialog");
    for (QWidget* pressed : {static_cast<QWidget*>(&workspace()), static_cast<QWidget*>(&FPreview)}) {
        QKeyEvent save(QEvent::KeyPress, Qt::Key_S, Qt::ControlModifier);
        QCoreApplication::sendEvent(pressed, &save);
        EXPECT_TRUE(save.isAccepted());
    }
    EXPECT_EQ(FUi.FShown, QStringList(2, QStringLiteral("Error|no file dialog")));
    EXPECT_EQ(FPreview.pageCount(), 3);
}

TEST_F(Preview, PrintingWithoutAPrinterSaysSo) {
    show(QStringLiteral("routes"), routes(3));
    press(Qt::Key_P, Qt::ControlModifier);
    EXPECT_EQ(FUi.FShown, QStringList({QStringLiteral("Error|No printers installed on your system")}));
    EXPECT_FALSE(FPreview.Locked());
}

// The page is painted as a white sheet in a grey area, the current one framed in orange.
TEST_F(Preview, PagesArePaintedOnGreyWithTheCurrentOneFramed) {
    show(QStringLiteral("routes"), routes(88));
    const QImage image = workspace().viewport()->grab().toImage();
    const int left = workspace().PageList[0].OffsetX;
    EXPECT_EQ(image.pixelColor(left / 2, 300), QColor(128, 128, 128));
    EXPECT_EQ(image.pixelColor(left - 2, 300), QColor(255, 199, 60));
    EXPECT_EQ(image.pixelColor(left + 3, 300), QColor(Qt::white)) << "inside the left margin";
    int dark = 0;
    for (int x = left; x < left + 794; ++x)
        for (int y = 60; y < 120; ++y)
            dark += qGray(image.pixel(x, y)) < 128;
    EXPECT_GT(dark, 100) << "the title's text is drawn";
}

} // namespace
