#pragma once

#include "ui/EditMask.h"

#include <QLineEdit>

// An input box that may carry an edit mask. With a mask the box keeps its text
// position by position: typed digits overwrite, literals are skipped, and the
// blank character marks empty positions while the user types into the box
// (elsewhere they show as spaces, so the box reads the way its value is stored).
// Without a mask it is a plain line edit.
class TMaskEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit TMaskEdit(QWidget* parent = nullptr);

    QString EditMask() const { return FMaskText; }
    // Keeps the current text, laid out anew in the new mask.
    void SetEditMask(const QString& mask);
    bool IsMasked() const { return FMask.IsMasked(); }

    // The box's value: with a mask the stored text, separators included and empty
    // positions as spaces ("  .  .    " for an unfilled date); otherwise text().
    QString Text() const;
    void SetText(const QString& text);
    void Clear() { SetText(QString()); }
    // Whether no position holds a character, and whether every required one does.
    bool IsEmpty() const;
    bool IsFilled() const;

signals:
    // The user changed the value (typing, deleting, pasting); not raised by SetText.
    void Edited();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    bool maskedKey(QKeyEvent* event);
    void typeText(const QString& keys);
    void applyKey(const TEditMask::TKeyResult& result);
    TEditMask::TKeyResult selectionCleared() const;
    void showEdit(int cursor);
    void textReplaced(const QString& text);

    TEditMask FMask;
    QString FMaskText;
    QString FEdit; // one character per mask position, spaces in the empty ones
    bool FShowing = false;
};
