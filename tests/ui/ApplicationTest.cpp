#include "ui/Application.h"
#include "data/Exception.h"
#include "tests/support/TestDialogService.h"
#include "ui/ApplicationTitle.h"
#include "ui/ShowingErrors.h"

#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>
#include <stdexcept>
#include <utility>

namespace {

TApplication& application() {
    return *static_cast<TApplication*>(QCoreApplication::instance());
}

// Counts the errors that reach the catch-all in place of failing the test.
class TCatchAllWatch {
public:
    TCatchAllWatch() : FHook(application().OnUncaughtError) {
        application().OnUncaughtError = [this](const std::exception&) { ++FReached; };
    }
    int reached() const { return FReached; }

private:
    QScopedValueRollback<std::function<void(const std::exception&)>> FHook;
    int FReached = 0;
};

class TThrowingObject : public QObject {
public:
    bool event(QEvent*) override { throw EDatabaseError(QStringLiteral("Отсутствуют выделенные записи")); }
};

void expectTopLevelError(const TMessageBox& shown, const QString& text) {
    EXPECT_EQ(shown.Kind, TMsgKind::Error);
    EXPECT_EQ(shown.Icon, TMsgIcon::Stop);
    EXPECT_EQ(shown.Buttons, TMsgButtons(TMsgButton::Ok));
    EXPECT_EQ(shown.Title, applicationTitle());
    EXPECT_EQ(shown.Text, text);
}

} // namespace

// A handler's error is shown where it is raised and ends that handler only: it
// never reaches Qt's frames, the window stays, and later events still run.
TEST(HandlerErrors, AreShownByTheHandlerAndNeverReachTheCatchAll) {
    TTestDialogService dialogs;
    TCatchAllWatch catchAll;
    QDialog window;
    auto* button = new QPushButton(QStringLiteral("Удалить"), &window);
    button->resize(100, 30);
    bool after = false;
    QObject::connect(button, &QPushButton::clicked, &window, showingErrors([] {
                         throw EDatabaseError(QStringLiteral("Отсутствуют выделенные записи"));
                     }));
    window.show();

    QTest::mouseClick(button, Qt::LeftButton);
    QTimer::singleShot(0, &window, showingErrors([] { throw std::runtime_error("disk full"); }));
    QTimer::singleShot(0, &window, [&after] { after = true; });
    QTest::qWait(20);

    EXPECT_EQ(catchAll.reached(), 0);
    ASSERT_EQ(dialogs.messages().size(), 2);
    expectTopLevelError(dialogs.messages()[0], QStringLiteral("Отсутствуют выделенные записи."));
    expectTopLevelError(dialogs.messages()[1], QStringLiteral("disk full."));
    EXPECT_TRUE(after);
    EXPECT_TRUE(window.isVisible());
    EXPECT_FALSE(button->isDown());
}

// A wrapped handler takes as many of the signal's arguments as it asks for,
// from the first, as a bare one does.
TEST(HandlerErrors, TheWrappedHandlerTakesTheFirstArgumentsItAsksFor) {
    TTestDialogService dialogs;
    QLineEdit box;
    std::pair<int, int> both;
    int first = 0;
    int bare = 0;
    const auto changed = &QLineEdit::cursorPositionChanged;
    QObject::connect(&box, changed, &box, showingErrors([&both](int from, int to) { both = {from, to}; }));
    QObject::connect(&box, changed, &box, showingErrors([&first](int from) { first = from; }));
    QObject::connect(&box, changed, &box, showingErrors([&bare] { ++bare; }));

    box.setText(QStringLiteral("abc"));

    EXPECT_EQ(both, std::make_pair(-1, 3)); // no position before the first text
    EXPECT_EQ(first, -1);
    EXPECT_EQ(bare, 1);
    EXPECT_TRUE(dialogs.messages().isEmpty());
}

TEST(HandlerErrors, RunningReportsWhetherTheHandlerRanToItsEnd) {
    TTestDialogService dialogs;
    EXPECT_TRUE(runShowingErrors([] {}));
    EXPECT_FALSE(runShowingErrors([] { throw std::runtime_error("disk full"); }));
    ASSERT_EQ(dialogs.messages().size(), 1);
    expectTopLevelError(dialogs.messages()[0], QStringLiteral("disk full."));
}

// The last line of defence, for an error a handler failed to show: it is shown
// the same way and the event is over. Handed to notify directly, so that no Qt
// frame of the event's sending stands between the error and the catch-all.
TEST(UncaughtErrors, AreShownAsTheTopLevelErrorDisplay) {
    TTestDialogService dialogs;
    TCatchAllWatch catchAll;
    TThrowingObject receiver;
    QEvent event(QEvent::User);

    EXPECT_FALSE(application().notify(&receiver, &event));

    EXPECT_EQ(catchAll.reached(), 1);
    ASSERT_EQ(dialogs.messages().size(), 1);
    expectTopLevelError(dialogs.messages()[0], QStringLiteral("Отсутствуют выделенные записи."));
}
