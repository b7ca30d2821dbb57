#include "ui/MaskEdit.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QScopedValueRollback>

TMaskEdit::TMaskEdit(QWidget* parent) : QLineEdit(parent) {
    connect(this, &QLineEdit::textChanged, this, &TMaskEdit::textReplaced);
    connect(this, &QLineEdit::textEdited, this, &TMaskEdit::Edited);
}

void TMaskEdit::SetEditMask(const QString& mask) {
    if (mask == FMaskText) {
        return;
    }
    const QString value = Text();
    FMaskText = mask;
    FMask = TEditMask(mask);
    // Cutting the text to the new length reaches textReplaced, which lays out
    // the cut text; the value is laid out again afterwards.
    setMaxLength(FMask.IsMasked() ? FMask.Length() : 32767);
    FEdit = FMask.FromStored(value);
    if (IsMasked()) {
        showEdit(0);
    } else {
        setText(value);
    }
}

QString TMaskEdit::Text() const {
    return IsMasked() ? FMask.Stored(FEdit) : text();
}

// An unchanged value leaves the box alone, so the cursor stays where the user had it.
void TMaskEdit::SetText(const QString& text) {
    if (!IsMasked()) {
        if (text != this->text()) {
            setText(text);
        }
        return;
    }
    const QString edit = FMask.FromStored(text);
    if (edit != FEdit) {
        FEdit = edit;
        showEdit(0);
    }
}

bool TMaskEdit::IsEmpty() const {
    return IsMasked() ? FMask.IsEmpty(FEdit) : text().isEmpty();
}

bool TMaskEdit::IsFilled() const {
    return IsMasked() ? FMask.IsFilled(FEdit) : !text().isEmpty();
}

void TMaskEdit::keyPressEvent(QKeyEvent* event) {
    if (IsMasked() && !isReadOnly() && maskedKey(event)) {
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

// Keys that change the text go through the mask; moving, selecting and copying
// stay with the line edit.
bool TMaskEdit::maskedKey(QKeyEvent* event) {
    if (event->key() == Qt::Key_Backspace || event->key() == Qt::Key_Delete) {
        if (hasSelectedText()) {
            applyKey(selectionCleared());
        } else if (event->key() == Qt::Key_Backspace) {
            applyKey(FMask.Backspace(FEdit, cursorPosition()));
        } else {
            applyKey(FMask.DeleteKey(FEdit, cursorPosition()));
        }
        return true;
    }
    if (event->matches(QKeySequence::Paste)) {
        typeText(QGuiApplication::clipboard()->text());
        return true;
    }
    if (event->matches(QKeySequence::Cut)) {
        copy();
        applyKey(selectionCleared());
        return true;
    }
    // The line edit's undo history knows nothing of positions; it would undo
    // into texts the mask never made.
    if (event->matches(QKeySequence::Undo) || event->matches(QKeySequence::Redo)) {
        return true;
    }
    const QString keys = event->text();
    if (!keys.isEmpty() && keys.at(0).isPrint()) {
        typeText(keys);
        return true;
    }
    return false;
}

// Typed or pasted characters go in one by one; those the mask refuses are dropped.
void TMaskEdit::typeText(const QString& keys) {
    TEditMask::TKeyResult result =
        hasSelectedText() ? selectionCleared() : TEditMask::TKeyResult{FEdit, cursorPosition(), true};
    for (QChar key : keys) {
        const TEditMask::TKeyResult next = FMask.TypeKey(result.text, result.cursor, key);
        if (next.accepted) {
            result = next;
        }
    }
    applyKey(result);
}

void TMaskEdit::applyKey(const TEditMask::TKeyResult& result) {
    if (!result.accepted) {
        return;
    }
    const bool changed = result.text != FEdit;
    FEdit = result.text;
    showEdit(result.cursor);
    if (changed) {
        emit Edited();
    }
}

// The text with the selected positions emptied, the cursor where the selection began.
TEditMask::TKeyResult TMaskEdit::selectionCleared() const {
    const int start = selectionStart();
    if (start < 0) {
        return {FEdit, cursorPosition(), true};
    }
    return {FMask.ClearRange(FEdit, start, selectionEnd()), start, true};
}

void TMaskEdit::showEdit(int cursor) {
    const QScopedValueRollback<bool> showing(FShowing, true);
    setText(FMask.Display(FEdit, hasFocus() && !isReadOnly()));
    setCursorPosition(cursor);
}

// Texts that reach the line edit past the mask (the context menu's paste, a
// drop, or setText of the line edit itself) are laid out in the mask again, so
// that Text() never disagrees with what the box shows.
void TMaskEdit::textReplaced(const QString& text) {
    if (FShowing || !IsMasked()) {
        return;
    }
    FEdit = FMask.FromStored(QString(text).replace(FMask.BlankChar(), QLatin1Char(' ')));
    showEdit(std::min(cursorPosition(), FMask.Length()));
}

void TMaskEdit::focusInEvent(QFocusEvent* event) {
    if (IsMasked()) {
        showEdit(cursorPosition());
    }
    QLineEdit::focusInEvent(event);
}

void TMaskEdit::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    if (IsMasked()) {
        showEdit(cursorPosition());
    }
}

void TMaskEdit::changeEvent(QEvent* event) {
    QLineEdit::changeEvent(event);
    if (event->type() == QEvent::ReadOnlyChange && IsMasked()) {
        showEdit(cursorPosition());
    }
}
