#include "ui/Form.h"

#include "ui/DialogService.h"
#include "ui/ShowingErrors.h"

#include <QAbstractButton>
#include <QKeyEvent>
#include <QScopedValueRollback>
#include <QShowEvent>

TForm::TForm(QWidget* owner) : QDialog(owner) {}

int TForm::ShowModal() {
    return dialogs().showModal(*this);
}

void TForm::done(int result) {
    // FormClose may close the window again (a save that succeeds closes it);
    // the closing already under way finishes the job.
    if (FClosing)
        return;
    // A closing that fails is shown and the window closes all the same, as
    // a window that cannot close would hold the user in it; only FormClose
    // itself keeps it open.
    {
        QScopedValueRollback closing(FClosing, true);
        FKeepOpen = false;
        runShowingErrors([this] { FormClose(); });
    }
    if (FKeepOpen)
        return;
    QDialog::done(result);
}

void TForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous())
        runShowingErrors([this] { FormShow(); });
}

void TForm::keyPressEvent(QKeyEvent* event) {
    if (event->key() != Qt::Key_Escape || event->modifiers() != Qt::NoModifier) {
        QDialog::keyPressEvent(event);
        return;
    }
    if (FCancelButton && FCancelButton->isEnabled())
        FCancelButton->click();
}
