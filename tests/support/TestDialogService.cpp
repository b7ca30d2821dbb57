#include "tests/support/TestDialogService.h"

#include <QDialog>

namespace {

// The button a user would reach by pressing Escape: the last one offered.
TMsgButton escapeButton(TMsgButtons buttons) {
    for (TMsgButton button : {TMsgButton::Cancel, TMsgButton::No, TMsgButton::Ok, TMsgButton::Yes})
        if (buttons & button)
            return button;
    return TMsgButton::None;
}

bool offersChoice(TMsgButtons buttons) {
    return buttons != TMsgButtons(TMsgButton::Ok);
}

} // namespace

TTestDialogService::TTestDialogService() : FPrevious(installDialogs(this)) {}

TTestDialogService::~TTestDialogService() {
    installDialogs(FPrevious);
}

void TTestDialogService::answer(TMsgButton button) {
    FAnswers.enqueue(button);
}

void TTestDialogService::answerFile(const QString& fileName) {
    FFileAnswers.enqueue(fileName);
}

void TTestDialogService::onModal(const QString& nameOrClass, TModalHandler handler) {
    FModalHandlers.insert(nameOrClass, std::move(handler));
}

void TTestDialogService::clear() {
    FAnswers.clear();
    FFileAnswers.clear();
    FModalHandlers.clear();
    FMessages.clear();
    FFileDialogs.clear();
    FModals.clear();
    FUnanswered.clear();
}

TMsgButton TTestDialogService::messageBox(const TMessageBox& box) {
    FMessages.append(box);
    if (!offersChoice(box.Buttons))
        return TMsgButton::Ok;
    if (FAnswers.isEmpty()) {
        FUnanswered.append(box.Text);
        return escapeButton(box.Buttons);
    }
    return FAnswers.dequeue();
}

QString TTestDialogService::fileDialog(const TFileDialog& dialog) {
    FFileDialogs.append(dialog);
    if (FFileAnswers.isEmpty()) {
        FUnanswered.append(dialog.Title);
        return {};
    }
    return FFileAnswers.dequeue();
}

int TTestDialogService::showModal(QDialog& window) {
    const qsizetype index = FModals.size();
    FModals.append({window.objectName(), QString::fromLatin1(window.metaObject()->className()), 0});
    window.setResult(0);
    window.show();
    if (const TModalHandler handler = handlerFor(window))
        handler(window);
    if (window.isVisible())
        window.close();
    FModals[index].Result = window.result();
    return window.result();
}

TTestDialogService::TModalHandler TTestDialogService::handlerFor(const QDialog& window) const {
    const TModalHandler byName = FModalHandlers.value(window.objectName());
    if (byName)
        return byName;
    return FModalHandlers.value(QString::fromLatin1(window.metaObject()->className()));
}
