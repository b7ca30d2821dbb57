#include "report_engine/export/common/CodePage.h"
#include "report_engine/export/csv/CSVExport.h"
#include "reports/ReportScreen.h"
#include "tests/support/ReportFixture.h"
#include "tests/support/TestDialogService.h"

#include <QCheckBox>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>

namespace {
template <class T> T* find(QDialog& window, const char* name) {
    T* widget = window.findChild<T*>(QLatin1String(name));
    EXPECT_NE(widget, nullptr) << name;
    return widget;
}

class CSVExportDialog : public ::testing::Test {
protected:
    void SetUp() override { TfrxEngineUi::install(&FScreen); }
    void TearDown() override { TfrxEngineUi::install(nullptr); }

    // Scripts the options dialog: handler fills it, then OK (or Cancel) is pressed.
    void onDialog(std::function<void(QDialog&)> handler, const char* button = "OkB") {
        FDialogs.onModal(QStringLiteral("TfrxCSVExportDialog"), [handler, button](QDialog& window) {
            handler(window);
            find<QPushButton>(window, button)->click();
        });
    }

    TReportScreen FScreen;
    TTestDialogService FDialogs;
    TfrxCSVExport FFilter;
    QTemporaryDir FDir;
};
} // namespace

TEST_F(CSVExportDialog, OkStoresTheChoicesAndTheFileForTheNextExport) {
    onDialog([](QDialog& window) {
        EXPECT_EQ(window.windowTitle(), QStringLiteral("Export to CSV"));
        EXPECT_TRUE(find<QRadioButton>(window, "AllRB")->isChecked());
        EXPECT_EQ(find<QLineEdit>(window, "SeparatorE")->text(), QStringLiteral(";"));
        QTest::keyClicks(find<QLineEdit>(window, "PageNumbersE"), QStringLiteral("1a,3-5x"));
        EXPECT_EQ(find<QLineEdit>(window, "PageNumbersE")->text(), QStringLiteral("1,3-5"))
            << "only digits, , and -";
        EXPECT_TRUE(find<QRadioButton>(window, "PageNumbersRB")->isChecked()) << "typing chooses the list";
        find<QLineEdit>(window, "SeparatorE")->setText(QStringLiteral(","));
        find<QCheckBox>(window, "OEMCB")->click();
    });
    FDialogs.answerFile(FDir.filePath(QStringLiteral("routes")));
    ASSERT_TRUE(FFilter.ShowModal());
    EXPECT_EQ(FFilter.PageNumbers, QStringLiteral("1,3-5"));
    EXPECT_FALSE(FFilter.CurPage);
    EXPECT_EQ(FFilter.Separator, QStringLiteral(","));
    EXPECT_TRUE(FFilter.OEMCodepage);
    EXPECT_FALSE(FFilter.OpenAfterExport);
    EXPECT_EQ(FFilter.FileName, FDir.filePath(QStringLiteral("routes.csv"))) << "the extension is added";
    ASSERT_EQ(FDialogs.fileDialogs().size(), 1);
    const TFileDialog& save = FDialogs.fileDialogs().first();
    EXPECT_EQ(save.Mode, TFileDialog::Save);
    EXPECT_EQ(save.FileName, QStringLiteral(".csv")) << "a report without a file name";
    EXPECT_EQ(save.Filter, QStringLiteral("CSV file (*.csv)"));
    EXPECT_FALSE(save.ConfirmOverwrite);

    // The next export shows what was chosen and proposes the same file.
    onDialog([](QDialog& window) {
        EXPECT_TRUE(find<QRadioButton>(window, "PageNumbersRB")->isChecked());
        EXPECT_EQ(find<QLineEdit>(window, "PageNumbersE")->text(), QStringLiteral("1,3-5"));
        EXPECT_EQ(find<QLineEdit>(window, "SeparatorE")->text(), QStringLiteral(","));
        EXPECT_TRUE(find<QCheckBox>(window, "OEMCB")->isChecked());
        find<QRadioButton>(window, "CurPageRB")->click();
    });
    FDialogs.answerFile(FFilter.FileName);
    ASSERT_TRUE(FFilter.ShowModal());
    EXPECT_TRUE(FFilter.CurPage);
    EXPECT_EQ(FFilter.PageNumbers, QString());
    EXPECT_EQ(FDialogs.fileDialogs().last().FileName, FDir.filePath(QStringLiteral("routes.csv")));
}

TEST_F(CSVExportDialog, CancellingEitherDialogCancelsTheExport) {
    onDialog([](QDialog& window) { find<QLineEdit>(window, "SeparatorE")->setText(QStringLiteral(",")); },
             "CancelB");
    EXPECT_FALSE(FFilter.ShowModal());
    EXPECT_EQ(FFilter.Separator, QStringLiteral(";")) << "Cancel keeps the settings";
    EXPECT_TRUE(FDialogs.fileDialogs().isEmpty());

    onDialog([](QDialog&) {});
    FDialogs.answerFile(QString());
    EXPECT_FALSE(FFilter.ShowModal());
    EXPECT_EQ(FFilter.FileName, QString());
}

// The whole export as a window starts it: dialog, file, then the file written.
TEST_F(CSVExportDialog, TheReportIsWrittenToTheChosenFile) {
    TReportFixture fixture{"routes", routes(2)};
    ASSERT_TRUE(fixture.run());
    onDialog([](QDialog&) {});
    const QString fileName = FDir.filePath(QStringLiteral("routes.csv"));
    FDialogs.answerFile(fileName);
    ASSERT_TRUE(fixture.FReport.Export(FFilter));
    QFile file(fileName);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.readAll().contains(frxToAnsi(u"2;;;Москва;;;Сочи;;;;4500.5;120;;;\r\n")));
}

// A file chosen in the dialog that cannot be written: the error box says why,
// and the file that was there stays as it was.
TEST_F(CSVExportDialog, AFileThatCannotBeWrittenIsShownInTheErrorBox) {
    TReportFixture fixture{"routes", routes(2)};
    fixture.FReport.EngineOptions.SilentMode = TfrxSilentMode::simMessageBoxes;
    ASSERT_TRUE(fixture.run());
    const QString folder = FDir.filePath(QStringLiteral("taken.csv"));
    ASSERT_TRUE(QDir().mkdir(folder));
    onDialog([](QDialog&) {});
    FDialogs.answerFile(folder);
    EXPECT_FALSE(fixture.FReport.Export(FFilter));
    ASSERT_EQ(FDialogs.messages().size(), 1);
    EXPECT_EQ(FDialogs.messages()[0].Title, QStringLiteral("Error"));
    EXPECT_TRUE(FDialogs.messages()[0].Text.startsWith(
        QStringLiteral("The following error(s) have occured:\r\nCannot create %1: ").arg(folder)))
        << FDialogs.messages()[0].Text.toStdString();
    EXPECT_TRUE(QDir(folder).isEmpty());
}
