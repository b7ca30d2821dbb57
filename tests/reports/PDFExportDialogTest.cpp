#include "report_engine/export/pdf/PDFExport.h"
#include "reports/ReportScreen.h"
#include "tests/support/ReportFixture.h"
#include "tests/support/TestDialogService.h"

#include <QCheckBox>
#include <QDialog>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

namespace {
template <class T> T* find(QDialog& window, const char* name) {
    T* widget = window.findChild<T*>(QLatin1String(name));
    EXPECT_NE(widget, nullptr) << name;
    return widget;
}

class PDFExportDialog : public ::testing::Test {
protected:
    void SetUp() override { TfrxEngineUi::install(&FScreen); }
    void TearDown() override { TfrxEngineUi::install(nullptr); }

    TReportScreen FScreen;
    TTestDialogService FDialogs;
    TfrxPDFExport FFilter;
    QTemporaryDir FDir;
};
} // namespace

// Every tab's settings go into the filter on OK and are shown again next time;
// then the file is chosen and the report written to it, here with passwords.
TEST_F(PDFExportDialog, OkStoresEveryTabAndTheFileIsWritten) {
    TReportFixture fixture{"routes", routes(60)};
    ASSERT_TRUE(fixture.run());
    FDialogs.onModal(QStringLiteral("TfrxPDFExportDialog"), [](QDialog& window) {
        EXPECT_EQ(window.windowTitle(), QStringLiteral("Export to PDF"));
        auto* tabs = find<QTabWidget>(window, "PageControl1");
        ASSERT_EQ(tabs->count(), 4);
        EXPECT_EQ(tabs->tabText(0) + tabs->tabText(1) + tabs->tabText(2) + tabs->tabText(3),
                  QStringLiteral("ExportInformationSecurityViewer"));
        EXPECT_FALSE(find<QCheckBox>(window, "OutlineCB")->isEnabled());
        EXPECT_EQ(find<QLineEdit>(window, "AuthorE")->text(), QStringLiteral("Zelvora"));
        EXPECT_TRUE(find<QCheckBox>(window, "PrintCB")->isChecked());
        QTest::keyClicks(find<QLineEdit>(window, "PageNumbersE"), QStringLiteral("2-"));
        find<QLineEdit>(window, "TitleE")->setText(QStringLiteral("Маршруты"));
        find<QLineEdit>(window, "UserPassE")->setText(QStringLiteral("user"));
        find<QLineEdit>(window, "OwnPassE")->setText(QStringLiteral("owner"));
        find<QCheckBox>(window, "PrintCB")->click();
        find<QCheckBox>(window, "HideToolbarCB")->click();
        find<QLineEdit>(window, "QualityEdit")->setText(QStringLiteral("80"));
        find<QPushButton>(window, "OkB")->click();
    });
    const QString fileName = FDir.filePath(QStringLiteral("routes"));
    FDialogs.answerFile(fileName);
    ASSERT_TRUE(fixture.FReport.Export(FFilter));
    EXPECT_EQ(FFilter.PageNumbers, QStringLiteral("2-"));
    EXPECT_EQ(FFilter.Title, QStringLiteral("Маршруты"));
    EXPECT_EQ(FFilter.UserPassword, QStringLiteral("user"));
    EXPECT_EQ(FFilter.ProtectionFlags, TfrxPDFExport::eModify | TfrxPDFExport::eCopy | TfrxPDFExport::eAnnot);
    EXPECT_TRUE(FFilter.HideToolbar);
    EXPECT_EQ(FFilter.Quality, 80);
    EXPECT_EQ(FDialogs.fileDialogs().first().Filter, QStringLiteral("Adobe PDF file (*.pdf)"));
    EXPECT_EQ(FDialogs.fileDialogs().first().FileName, QStringLiteral(".pdf"));

    QFile file(fileName + QStringLiteral(".pdf"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray pdf = file.readAll();
    EXPECT_TRUE(pdf.contains("/Count 1\r\n")) << "pages 2 to the last of two";
    EXPECT_TRUE(pdf.contains("/P -8\r\n")) << "printing not allowed";
    EXPECT_TRUE(pdf.contains("/HideToolbar true\r\n"));
    EXPECT_TRUE(pdf.contains("/DisplayDocTitle true\r\n"));

    FDialogs.onModal(QStringLiteral("TfrxPDFExportDialog"), [](QDialog& window) {
        EXPECT_TRUE(find<QRadioButton>(window, "PageNumbersRB")->isChecked());
        EXPECT_EQ(find<QLineEdit>(window, "UserPassE")->text(), QStringLiteral("user"))
            << "kept until cleared";
        EXPECT_FALSE(find<QCheckBox>(window, "PrintCB")->isChecked());
        find<QPushButton>(window, "CancelB")->click();
    });
    EXPECT_FALSE(fixture.FReport.Export(FFilter));
    EXPECT_EQ(FDialogs.fileDialogs().size(), 1) << "Cancel asks for no file";
}
