#include "framework/KeyPressFilter.h"

#include "data/ScopedValue.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QKeySequence>
#include <QWidget>

TKeyPressFilter::TKeyPressFilter(QWidget* box, TKeyPressEvent OnKeyPress)
    : QObject(box), FOnKeyPress(std::move(OnKeyPress)) {
    box->installEventFilter(this);
}

QChar TKeyPressFilter::typedChar(const QKeyEvent& event) {
    if (event.matches(QKeySequence::Copy)) {
        return QChar(3);
    }
    if (event.matches(QKeySequence::Paste)) {
        return QChar(22);
    }
    if (event.matches(QKeySequence::Cut)) {
        return QChar(24);
    }
    if (event.key() == Qt::Key_Backspace) {
        return QChar(8);
    }
    const QString text = event.text();
    if (text.size() == 1 && text[0].isPrint()) {
        return text[0];
    }
    return QChar(0);
}

bool TKeyPressFilter::eventFilter(QObject* watched, QEvent* event) {
    if (FDelivering || event->type() != QEvent::KeyPress) {
        return false;
    }
    auto* keyEvent = static_cast<QKeyEvent*>(event);
    const QChar typed = typedChar(*keyEvent);
    if (typed.isNull()) {
        return false;
    }
    QChar Key = typed;
    FOnKeyPress(Key);
    if (Key == typed) {
        return false;
    }
    if (!Key.isNull()) {
        // The box must see the replacement as if it had been typed, so that a
        // masked box places it by its own rules.
        QKeyEvent replaced(QEvent::KeyPress, 0, Qt::NoModifier, QString(Key));
        const TScopedValue<bool> delivering(FDelivering, true);
        QCoreApplication::sendEvent(watched, &replaced);
    }
    return true;
}
