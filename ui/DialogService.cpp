#include "ui/DialogService.h"

#include "ui/ApplicationTitle.h"
#include "ui/QtDialogService.h"

namespace {

TDialogService* FInstalled = nullptr;

} // namespace

bool TDialogService::confirm(QWidget* owner, const QString& text, const QString& title) {
    const TMessageBox box{TMsgKind::Confirmation,          owner, title, text, TMsgIcon::None,
                          TMsgButton::Yes | TMsgButton::No};
    return messageBox(box) == TMsgButton::Yes;
}

void TDialogService::information(QWidget* owner, const QString& text, const QString& title) {
    messageBox({TMsgKind::Information, owner, title, text, TMsgIcon::Information, TMsgButton::Ok});
}

void TDialogService::notice(QWidget* owner, const QString& text) {
    messageBox({TMsgKind::Notice, owner, applicationTitle(), text, TMsgIcon::None, TMsgButton::Ok});
}

void TDialogService::showError(const QString& message) {
    messageBox({TMsgKind::Error, nullptr, applicationTitle(), withFullStop(message), TMsgIcon::Stop,
                TMsgButton::Ok});
}

QString TDialogService::openFileName(QWidget* owner, const QString& title, const QString& fileName,
                                     const QString& filter) {
    return fileDialog({TFileDialog::Open, owner, title, fileName, filter});
}

QString TDialogService::saveFileName(QWidget* owner, const QString& title, const QString& fileName,
                                     const QString& filter) {
    return fileDialog({TFileDialog::Save, owner, title, fileName, filter});
}

QString withFullStop(const QString& message) {
    if (message.isEmpty() || message.back() <= QLatin1Char('.'))
        return message;
    return message + QLatin1Char('.');
}

TDialogService& dialogs() {
    static TQtDialogService production;
    return FInstalled ? *FInstalled : production;
}

TDialogService* installDialogs(TDialogService* service) {
    TDialogService* previous = FInstalled;
    FInstalled = service;
    return previous;
}
