#include "report_engine/model/Report.h"
#include "reports/ReportScreen.h"

#include <QLabel>
#include <QPushButton>
#include <gtest/gtest.h>

// The progress window of exports and printing: its caption, the page being done,
// and Cancel (or closing it) asking the report to stop.
TEST(ProgressWindow, ShowsThePageAndCancelStopsTheReport) {
    for (const bool byCloseBox : {false, true}) {
        SCOPED_TRACE(byCloseBox ? "close box" : "Cancel");
        TReportScreen screen;
        TfrxReport report;
        screen.progressStart(report, QStringLiteral("Progress"));
        TfrxProgress* window = screen.progressWindow();
        ASSERT_NE(window, nullptr);
        EXPECT_TRUE(window->isVisible());
        EXPECT_EQ(window->windowTitle(), QStringLiteral("Progress"));
        screen.progressText(QStringLiteral("Exporting page 2"));
        EXPECT_EQ(window->LMessage->text(), QStringLiteral("Exporting page 2"));
        EXPECT_FALSE(report.Terminated);
        if (byCloseBox)
            window->close();
        else
            window->CancelB->click();
        EXPECT_TRUE(report.Terminated);
        screen.progressStop();
        EXPECT_EQ(screen.progressWindow(), nullptr);
    }
}
