#pragma once

#include <QDialog>

class QAbstractButton;

// The base of every window of the program. A subclass puts its start-up work in
// FormCreate (run once, by createForm, after the whole object is built), what
// must happen on every showing in FormShow, and what must happen on every
// closing in FormClose. Closing by any means, the close box, the cancel button,
// Escape when there is one, or code, runs FormClose exactly once per closing;
// the window is hidden, never destroyed, so it keeps its state for the next
// showing. FormClose may call keepOpen to call the closing off.
class TForm : public QDialog {
    Q_OBJECT
public:
    explicit TForm(QWidget* owner = nullptr);

    // Shown through the dialog service; returns once the window is closed.
    int ShowModal();
    // Escape presses this button; without one Escape does nothing.
    void setCancelButton(QAbstractButton* button) { FCancelButton = button; }
    // Runs FormCreate; createForm calls it once the window is fully built.
    void created() { FormCreate(); }

    void done(int result) override;

protected:
    virtual void FormCreate() {}
    virtual void FormShow() {}
    virtual void FormClose() {}
    // Called from FormClose: the window stays open, as it was.
    void keepOpen() { FKeepOpen = true; }

    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    QAbstractButton* FCancelButton = nullptr;
    bool FClosing = false;
    bool FKeepOpen = false;
};

// Builds a window and runs its FormCreate, as the program's windows are made.
template <class T, class... TArgs> T* createForm(TArgs&&... args) {
    T* form = new T(std::forward<TArgs>(args)...);
    form->created();
    return form;
}
