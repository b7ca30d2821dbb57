#include "data/Exception.h"
#include "tests/support/TestDialogService.h"
#include "ui/ApplicationTitle.h"

#include <QDialog>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>
#include <stdexcept>

// An error that escapes an event handler ends that handler only: the one place
// that dispatches events shows it, and the window stays.
TEST(UncaughtErrors, AreShownAsTheTopLevelErrorDisplayAndTheWindowStays) {
    TTestDialogService dialogs;
    QDialog window;
    auto* button = new QPushButton(QStringLiteral("Удалить"), &window);
    button->resize(100, 30);
    bool after = false;
    QObject::connect(button, &QPushButton::clicked, &window,
                     [] { throw EDatabaseError(QStringLiteral("Отсутствуют выделенные записи")); });
    window.show();

    QTest::mouseClick(button, Qt::LeftButton);
    QTimer::singleShot(0, &window, [] { throw std::runtime_error("disk full"); });
    QTimer::singleShot(0, &window, [&after] { after = true; });
    QTest::qWait(20);

    ASSERT_EQ(dialogs.messages().size(), 2);
    const TMessageBox& shown = dialogs.messages()[0];
    EXPECT_EQ(shown.Kind, TMsgKind::Error);
    EXPECT_EQ(shown.Icon, TMsgIcon::Stop);
    EXPECT_EQ(shown.Buttons, TMsgButtons(TMsgButton::Ok));
    EXPECT_EQ(shown.Title, applicationTitle());
    EXPECT_EQ(shown.Text, QStringLiteral("Отсутствуют выделенные записи."));
    EXPECT_EQ(dialogs.messages()[1].Text, QStringLiteral("disk full."));
    EXPECT_TRUE(after);
    EXPECT_TRUE(window.isVisible());
    EXPECT_FALSE(button->isDown());
}
