#include "tests/desktop/XKeyboard.h"
#include "ui/DialogService.h"

#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QTimer>
#include <QVBoxLayout>
#include <gtest/gtest.h>

namespace {

// Once the modal window is up and holds the keyboard, the user closes it from the keyboard.
void closeModalWithKey(const QString& key) {
    auto* poll = new QTimer;
    QObject::connect(poll, &QTimer::timeout, poll, [poll, key] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || !modal->isVisible() || !holdsKeyboard(modal))
            return;
        poll->deleteLater();
        xdotool({QStringLiteral("key"), key});
    });
    poll->start(50);
}

struct TModalCase {
    const char* Name;
    const char* CloseKey;
    std::function<void(QWidget* owner)> Open;
};

void PrintTo(const TModalCase& c, std::ostream* os) {
    *os << c.Name;
}

class KeyboardReturnTest : public ::testing::TestWithParam<TModalCase> {
protected:
    void SetUp() override {
        // Away from the pointer: with the keyboard given to the root window, X
        // sends keys to the window under the pointer, which would hide the fault.
        ASSERT_TRUE(xdotool({QStringLiteral("mousemove"), QStringLiteral("1000"), QStringLiteral("900")}))
            << "xdotool (scripts/setup)";
        FWindow.setWindowTitle(QStringLiteral("Список"));
        auto* layout = new QVBoxLayout(&FWindow);
        FBox = new QLineEdit(&FWindow);
        layout->addWidget(FBox);
        FWindow.setGeometry(20, 40, 300, 80);
        FWindow.show();
        FWindow.activateWindow();
        FBox->setFocus();
        // As when the user has been typing there: X gives the window the keyboard and
        // the program has heard of it (a notice without owner goes back to that window).
        ASSERT_TRUE(waitUntil([this] {
            return holdsKeyboard(&FWindow) && QApplication::activeWindow() == &FWindow;
        })) << "the window never got the keyboard";
    }

    QDialog FWindow;
    QLineEdit* FBox = nullptr;
};

TEST_P(KeyboardReturnTest, KeysTypedAfterTheModalWindowClosesReachTheWindowBelow) {
    closeModalWithKey(QString::fromLatin1(GetParam().CloseKey));
    GetParam().Open(FBox);

    EXPECT_TRUE(waitUntil([this] { return holdsKeyboard(&FWindow); }))
        << "X gives the keyboard to window " << keyboardWindow() << ", not to the window below";
    ASSERT_TRUE(xdotool({QStringLiteral("type"), QStringLiteral("42")}));
    EXPECT_TRUE(waitUntil([this] { return FBox->text() == QStringLiteral("42"); }))
        << "typed text lost; the box holds \"" << FBox->text().toStdString() << '"';
}

INSTANTIATE_TEST_SUITE_P(
    ModalWindows, KeyboardReturnTest,
    ::testing::Values(TModalCase{"MessageBox", "Return",
                                 [](QWidget* owner) {
                                     dialogs().information(owner,
                                                           QStringLiteral("Введите базовую стоимость полета"),
                                                           QStringLiteral("Сообщение"));
                                 }},
                      TModalCase{
                          "NoticeWithoutOwner", "Return",
                          [](QWidget*) { dialogs().notice(nullptr, QStringLiteral("Нужно ввести число")); }},
                      TModalCase{"EditWindow", "Escape",
                                 [](QWidget* owner) {
                                     QDialog edit(owner->window());
                                     edit.setWindowTitle(QStringLiteral("Редактирование маршрута"));
                                     edit.resize(200, 100);
                                     dialogs().showModal(edit);
                                 }},
                      TModalCase{"FileDialog", "Escape",
                                 [](QWidget* owner) {
                                     dialogs().saveFileName(owner, QStringLiteral("Сохранить"), QString(),
                                                            QStringLiteral("PDF (*.pdf)"));
                                 }}),
    [](const ::testing::TestParamInfo<TModalCase>& info) { return std::string(info.param.Name); });

} // namespace
