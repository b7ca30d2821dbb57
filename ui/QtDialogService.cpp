#include "ui/QtDialogService.h"

#include <QApplication>
#include <QDialog>
#include <QFileDialog>
#include <QMessageBox>
#include <QPointer>

namespace {

// When a modal window closes, a window manager hands the keyboard back to the
// window below it; without one, X hands it to the root window and whatever the
// user types next is lost. So the window that had the keyboard before gets it
// back from us, whichever way the desktop is run.
class TKeyboardReturn {
public:
    explicit TKeyboardReturn(QWidget* owner)
        : FWindow(QApplication::activeWindow() ? QApplication::activeWindow()
                  : owner                      ? owner->window()
                                               : nullptr) {}
    ~TKeyboardReturn() {
        if (FWindow && FWindow->isVisible() && !FWindow->isMinimized())
            FWindow->activateWindow();
    }
    TKeyboardReturn(const TKeyboardReturn&) = delete;
    TKeyboardReturn& operator=(const TKeyboardReturn&) = delete;

private:
    QPointer<QWidget> FWindow;
};

QMessageBox::Icon qtIcon(TMsgIcon icon) {
    switch (icon) {
    case TMsgIcon::Information:
        return QMessageBox::Information;
    case TMsgIcon::Stop:
        return QMessageBox::Critical;
    case TMsgIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons qtButtons(TMsgButtons buttons) {
    QMessageBox::StandardButtons result;
    if (buttons & TMsgButton::Ok)
        result |= QMessageBox::Ok;
    if (buttons & TMsgButton::Yes)
        result |= QMessageBox::Yes;
    if (buttons & TMsgButton::No)
        result |= QMessageBox::No;
    if (buttons & TMsgButton::Cancel)
        result |= QMessageBox::Cancel;
    return result;
}

TMsgButton ourButton(int pressed) {
    switch (pressed) {
    case QMessageBox::Ok:
        return TMsgButton::Ok;
    case QMessageBox::Yes:
        return TMsgButton::Yes;
    case QMessageBox::No:
        return TMsgButton::No;
    case QMessageBox::Cancel:
        return TMsgButton::Cancel;
    default:
        return TMsgButton::None;
    }
}

} // namespace

TMsgButton TQtDialogService::messageBox(const TMessageBox& box) {
    TKeyboardReturn keyboardReturn(box.Owner);
    QMessageBox dialog(qtIcon(box.Icon), box.Title, box.Text, qtButtons(box.Buttons), box.Owner);
    return ourButton(dialog.exec());
}

QString TQtDialogService::fileDialog(const TFileDialog& dialog) {
    TKeyboardReturn keyboardReturn(dialog.Owner);
    if (dialog.Mode == TFileDialog::Save)
        return QFileDialog::getSaveFileName(
            dialog.Owner, dialog.Title, dialog.FileName, dialog.Filter, nullptr,
            dialog.ConfirmOverwrite ? QFileDialog::Options() : QFileDialog::DontConfirmOverwrite);
    return QFileDialog::getOpenFileName(dialog.Owner, dialog.Title, dialog.FileName, dialog.Filter);
}

int TQtDialogService::showModal(QDialog& window) {
    TKeyboardReturn keyboardReturn(window.parentWidget());
    return window.exec();
}
