#include "reports/ReportScreen.h"
#include "tests/support/RecordingPrinter.h"
#include "tests/support/ReportFixture.h"
#include "tests/support/TestDialogService.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTest>

namespace {
template <class T> T* find(QDialog& window, const char* name) {
    T* widget = window.findChild<T*>(QLatin1String(name));
    EXPECT_NE(widget, nullptr) << name;
    return widget;
}

void choose(QDialog& window, const char* combo, const QString& text) {
    auto* box = find<QComboBox>(window, combo);
    const int index = box->findText(text);
    ASSERT_GE(index, 0) << combo << " has no " << text.toStdString();
    box->setCurrentIndex(index);
}

void ok(QDialog& window) {
    find<QPushButton>(window, "OkB")->click();
}

class PrintDialog : public ::testing::Test {
protected:
    void SetUp() override {
        FPrinters = installRecordingPrinters({"First", "Second"});
        FPrinters[1]->CanDuplex = true;
        TfrxEngineUi::install(&FScreen);
    }
    void TearDown() override { TfrxEngineUi::install(nullptr); }

    TReportScreen FScreen;
    TTestDialogService FDialogs;
    std::vector<TRecordingPrinter*> FPrinters;
};
} // namespace

// What the dialog shows on opening is the options of the print, and OK stores
// every group's choices back into them.
TEST_F(PrintDialog, ShowsTheOptionsAndOkStoresTheChoices) {
    TfrxPrintOptions options;
    options.PageNumbers = "2-3";
    options.Copies = 4;
    FDialogs.onModal("TfrxPrintDialog", [](QDialog& window) {
        EXPECT_EQ(window.windowTitle(), QStringLiteral("Print"));
        EXPECT_EQ(find<QComboBox>(window, "PrintersCB")->currentText(), QStringLiteral("First"));
        EXPECT_FALSE(find<QComboBox>(window, "PrintersCB")->itemIcon(0).isNull());
        EXPECT_EQ(find<QLabel>(window, "WhereL")->text(), QStringLiteral("rec:/"));
        EXPECT_TRUE(find<QRadioButton>(window, "PageNumbersRB")->isChecked());
        EXPECT_EQ(find<QLineEdit>(window, "PageNumbersE")->text(), QStringLiteral("2-3"));
        EXPECT_EQ(find<QSpinBox>(window, "CopiesE")->value(), 4);
        EXPECT_TRUE(find<QCheckBox>(window, "CollateCB")->isChecked());
        EXPECT_FALSE(find<QComboBox>(window, "PaperCB")->isEnabled()) << "no sheet for the default mode";

        choose(window, "PrintersCB", "Second");
        auto* copies = find<QSpinBox>(window, "CopiesE");
        copies->clear();
        QTest::keyClicks(copies, "12x0");
        EXPECT_EQ(copies->value(), 120) << "digits only";
        find<QCheckBox>(window, "CollateCB")->click();
        choose(window, "ScaleCB", "Scale");
        EXPECT_TRUE(find<QComboBox>(window, "PaperCB")->isEnabled());
        choose(window, "PaperCB", "A5");
        choose(window, "PagesCB", "Odd pages");
        choose(window, "DuplexCB", "Horizontal");
        choose(window, "OrderCB", "Reverse (9-1)");
        ok(window);
    });
    ASSERT_TRUE(FScreen.printDialog(options, 3));
    EXPECT_EQ(frxPrinters().PrinterIndex(), 1) << "the printer chosen is current";
    EXPECT_EQ(options.Copies, 120);
    EXPECT_FALSE(options.Collate);
    EXPECT_EQ(options.PageNumbers, QStringLiteral("2-3"));
    EXPECT_EQ(options.PrintMode, TfrxPrintMode::pmScale);
    EXPECT_EQ(options.PrintOnSheet, 11);
    EXPECT_EQ(options.PrintPages, TfrxPrintPages::ppOdd);
    EXPECT_EQ(options.Duplex, TfrxDuplexMode::dmHorizontal);
    EXPECT_TRUE(options.Reverse);
    EXPECT_TRUE(options.PrnOutFileName.isEmpty());

    FDialogs.onModal("TfrxPrintDialog", [](QDialog& window) {
        find<QRadioButton>(window, "CurPageRB")->click();
        ok(window);
    });
    ASSERT_TRUE(FScreen.printDialog(options, 3));
    EXPECT_EQ(options.PageNumbers, QStringLiteral("3")) << "the page shown";
}

TEST_F(PrintDialog, CancelSelectsThePreviousPrinterAgain) {
    TfrxPrintOptions options;
    FDialogs.onModal("TfrxPrintDialog", [](QDialog& window) {
        choose(window, "PrintersCB", "Second");
        EXPECT_EQ(frxPrinters().PrinterIndex(), 1) << "current at once";
        find<QSpinBox>(window, "CopiesE")->setValue(7);
        find<QPushButton>(window, "CancelB")->click();
    });
    EXPECT_FALSE(FScreen.printDialog(options, 0));
    EXPECT_EQ(frxPrinters().PrinterIndex(), 0);
    EXPECT_EQ(options.Copies, 1);
}

// "Print to file" asks for a .prn file on OK; without one nothing prints.
TEST_F(PrintDialog, PrintToFileAsksForTheFile) {
    TfrxPrintOptions options;
    const auto toFile = [](QDialog& window) {
        find<QCheckBox>(window, "FileCB")->click();
        ok(window);
    };
    FDialogs.onModal("TfrxPrintDialog", toFile);
    FDialogs.answerFile("/tmp/out/routes.txt");
    ASSERT_TRUE(FScreen.printDialog(options, 0));
    EXPECT_EQ(options.PrnOutFileName, QStringLiteral("/tmp/out/routes.prn"));
    ASSERT_EQ(FDialogs.fileDialogs().size(), 1);
    EXPECT_EQ(FDialogs.fileDialogs().first().Title, QStringLiteral("Print to file"));
    EXPECT_EQ(FDialogs.fileDialogs().first().Filter, QStringLiteral("Printer file (*.prn)"));

    TfrxPrintOptions cancelled;
    FDialogs.onModal("TfrxPrintDialog", [&](QDialog& window) {
        choose(window, "PrintersCB", "Second");
        toFile(window);
    });
    EXPECT_FALSE(FScreen.printDialog(cancelled, 0)) << "no file chosen";
    EXPECT_TRUE(cancelled.PrnOutFileName.isEmpty());
    EXPECT_EQ(frxPrinters().PrinterIndex(), 0);
}

TEST_F(PrintDialog, AnUnreadablePageListKeepsTheDialogOpen) {
    TfrxPrintOptions options;
    FDialogs.onModal("TfrxPrintDialog", [](QDialog& window) {
        QTest::keyClicks(find<QLineEdit>(window, "PageNumbersE"), "1--2");
        ok(window);
        EXPECT_TRUE(window.isVisible());
        find<QPushButton>(window, "CancelB")->click();
    });
    EXPECT_FALSE(FScreen.printDialog(options, 0));
    ASSERT_EQ(FDialogs.messages().size(), 1);
    EXPECT_EQ(FDialogs.messages().first().Text, QStringLiteral("Invalid page numbers: 1--2"));
}

// The printer's own settings: paper, source and duplex become its defaults, and
// the duplex chosen there is the dialog's.
TEST_F(PrintDialog, PropertiesOfThePrinter) {
    TfrxPrintOptions options;
    FDialogs.onModal("TfrxPrintDialog", [](QDialog& window) {
        choose(window, "PrintersCB", "Second");
        find<QPushButton>(window, "PropButton")->click();
        EXPECT_EQ(find<QComboBox>(window, "DuplexCB")->currentText(), QStringLiteral("Vertical"));
        ok(window);
    });
    FDialogs.onModal("TfrxPrinterProperties", [](QDialog& window) {
        EXPECT_EQ(window.windowTitle(), QStringLiteral("Second Properties"));
        EXPECT_EQ(find<QComboBox>(window, "PaperCB")->currentText(), QStringLiteral("A4"));
        choose(window, "PaperCB", "A5");
        choose(window, "DuplexCB", "Vertical");
        ok(window);
    });
    ASSERT_TRUE(FScreen.printDialog(options, 0));
    EXPECT_EQ(options.Duplex, TfrxDuplexMode::dmVertical);
    EXPECT_EQ(FPrinters[1]->DefPaper, 11);
    EXPECT_EQ(FPrinters[1]->DefDuplex, TfrxDuplexMode::dmVertical);
}
