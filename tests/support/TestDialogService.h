#pragma once

#include "ui/DialogService.h"

#include <QHash>
#include <QList>
#include <QQueue>
#include <QStringList>
#include <functional>

// The service of the tests: it shows nothing, records every box, file dialog and
// modal window, and answers from a script. A modal window is shown (so its
// FormShow runs), handed to the handler scripted for it, which may fill boxes
// and press buttons, even ones that open further modal windows, and is then
// closed like the close box would, unless the handler closed it already.
// Constructing one installs it; destroying it puts the previous service back.
class TTestDialogService : public TDialogService {
public:
    using TModalHandler = std::function<void(QDialog&)>;

    struct TShownModal {
        QString Name;
        QString ClassName;
        int Result;
    };

    TTestDialogService();
    ~TTestDialogService() override;
    TTestDialogService(const TTestDialogService&) = delete;
    TTestDialogService& operator=(const TTestDialogService&) = delete;

    // The answer to the next box that offers a choice (more than one button).
    // A box with only OK needs none.
    void answer(TMsgButton button);
    // The answer to the next file dialog; an empty text cancels it.
    void answerFile(const QString& fileName);
    // The handler for every modal showing of windows with this object name or,
    // failing that, this class name. Without one the window is shown and closed.
    void onModal(const QString& nameOrClass, TModalHandler handler);

    const QList<TMessageBox>& messages() const { return FMessages; }
    const QList<TFileDialog>& fileDialogs() const { return FFileDialogs; }
    const QList<TShownModal>& modals() const { return FModals; }
    // Questions and file dialogs that came without a scripted answer; each was
    // answered with its last button (No, Cancel) or cancelled.
    const QStringList& unanswered() const { return FUnanswered; }
    void clear();

    TMsgButton messageBox(const TMessageBox& box) override;
    QString fileDialog(const TFileDialog& dialog) override;
    int showModal(QDialog& window) override;

private:
    TModalHandler handlerFor(const QDialog& window) const;

    TDialogService* FPrevious;
    QQueue<TMsgButton> FAnswers;
    QQueue<QString> FFileAnswers;
    QHash<QString, TModalHandler> FModalHandlers;
    QList<TMessageBox> FMessages;
    QList<TFileDialog> FFileDialogs;
    QList<TShownModal> FModals;
    QStringList FUnanswered;
};
