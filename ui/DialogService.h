#pragma once

#include <QFlags>
#include <QString>

class QDialog;
class QWidget;

// The kinds of message box the program shows; the kind decides icon, buttons and
// title, so a window only says what it wants to tell.
enum class TMsgKind { Confirmation, Information, Notice, Error };

enum class TMsgIcon { None, Information, Stop };

enum class TMsgButton { None = 0x0, Ok = 0x1, Yes = 0x2, No = 0x4, Cancel = 0x8 };
Q_DECLARE_FLAGS(TMsgButtons, TMsgButton)
Q_DECLARE_OPERATORS_FOR_FLAGS(TMsgButtons)

struct TMessageBox {
    TMsgKind Kind;
    QWidget* Owner;
    QString Title;
    QString Text;
    TMsgIcon Icon;
    TMsgButtons Buttons;
};

struct TFileDialog {
    enum TMode { Open, Save };
    TMode Mode;
    QWidget* Owner;
    QString Title;
    QString FileName;
    QString Filter;
    // Saving: whether choosing an existing file asks before replacing it.
    bool ConfirmOverwrite = true;
};

// Every message box, file dialog and modal showing of a window goes through the
// one installed service, so that tests can replace the screen by a script.
class TDialogService {
public:
    virtual ~TDialogService() = default;

    // Shows the box and returns the button pressed.
    virtual TMsgButton messageBox(const TMessageBox& box) = 0;
    // Returns the chosen file name, or an empty text when the user cancelled.
    virtual QString fileDialog(const TFileDialog& dialog) = 0;
    // Shows the window modally and returns its result once it is closed.
    virtual int showModal(QDialog& window) = 0;

    // Yes and No, no icon; true only for Yes.
    bool confirm(QWidget* owner, const QString& text, const QString& title);
    // Owned by the window that shows it, information icon, OK.
    void information(QWidget* owner, const QString& text, const QString& title);
    // Titled with the application's title, OK.
    void notice(QWidget* owner, const QString& text);
    // The top-level error display, also the general error report of the program:
    // stop icon, OK, the application's title and the message with a full stop.
    void showError(const QString& message);

    QString openFileName(QWidget* owner, const QString& title, const QString& fileName,
                         const QString& filter);
    QString saveFileName(QWidget* owner, const QString& title, const QString& fileName,
                         const QString& filter);
};

// The message with a full stop appended, unless it is empty or its last
// character is a full stop or sorts before one (a space, "!", ")" and the like).
QString withFullStop(const QString& message);

// The installed service; the production one (real Qt dialogs) unless another
// was installed.
TDialogService& dialogs();
// Installs a service (nullptr puts back the production one) and returns the
// one installed before, nullptr when that was the production one.
TDialogService* installDialogs(TDialogService* service);
