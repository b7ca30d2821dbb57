#pragma once

#include <QObject>
#include <functional>

class QKeyEvent;
class QWidget;

// A window's key-press handler for one input box: it receives the typed
// character and may replace it, or set it to QChar(0) to swallow the key.
using TKeyPressEvent = std::function<void(QChar& Key)>;

// Runs a key-press handler over the characters typed into a box. Typed
// characters are printable keys, backspace and the clipboard shortcuts (as
// control characters 3, 22 and 24); cursor movement, Delete, Enter, Escape and
// Tab keep their usual meaning. A replaced character is delivered in place of
// the typed one.
class TKeyPressFilter : public QObject {
    Q_OBJECT
public:
    TKeyPressFilter(QWidget* box, TKeyPressEvent OnKeyPress);

    // The character a key event types, or QChar(0) when it types none.
    static QChar typedChar(const QKeyEvent& event);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    TKeyPressEvent FOnKeyPress;
    bool FDelivering = false;
};
