#include "ui/Style.h"
#include "tests/support/TestDialogService.h"

#include <QApplication>
#include <gtest/gtest.h>

class Style : public ::testing::Test {
protected:
    void TearDown() override { qApp->setStyleSheet({}); }
    TTestDialogService FDialogs;
};

TEST_F(Style, TheCarriedStyleSheetIsApplied) {
    applyStyle(*qApp);
    EXPECT_TRUE(FDialogs.messages().isEmpty());
    EXPECT_TRUE(qApp->styleSheet().contains(QStringLiteral("QPushButton")));
}

TEST_F(Style, AStyleThatCannotBeReadIsReportedOnceAndTheDefaultLookStays) {
    applyStyle(*qApp, QStringLiteral(":/no-such-style.qss"));
    ASSERT_EQ(FDialogs.messages().size(), 1);
    EXPECT_EQ(FDialogs.messages()[0].Kind, TMsgKind::Error);
    EXPECT_TRUE(FDialogs.messages()[0].Text.contains(QStringLiteral("Amethyst Kamri")));
    EXPECT_TRUE(qApp->styleSheet().isEmpty());
}
