#pragma once

#include "ui/Form.h"

#include <QList>

class QGridLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class TCrudController;
class TDataSource;
class TDBEdit;

// The modal edit window of a list window: boxes bound to the list's dataset,
// "Сохранить" and "Закрыть", the form check and the save question on closing.
// The list window has already put the dataset into insert or edit state when
// it shows this window; the window posts through the list's controller and
// always cancels what is left when it closes, so it never leaves the dataset
// in edit state.
//
// A screen's edit window is a subclass that, in its constructor:
//   - adds its boxes with addBox (label above the box, on a grid of rows and
//     columns) into fieldsArea(), or into a page of its own;
//   - calls addButtons with the name of its save button and whether Enter and
//     Escape press the save and close buttons;
//   - calls setTabOrderChain when the buttons come first (the window then
//     opens with the focus on the first of the chain);
// and overrides checkForm, throwing EmptyValueException with the user's
// message at the first box that fails (requireText covers the "must not be
// empty" boxes).
class TEditForm : public TForm {
    Q_OBJECT
public:
    TEditForm(QWidget* AOwner, TCrudController* crud, const QString& name, const QString& caption);

    // checkForm, post, close; a failure is told in a box and the window stays.
    void trySaveForm();

protected:
    virtual void checkForm() = 0;
    // Asks to save pending changes, then always cancels what is left.
    void FormClose() override;
    void showEvent(QShowEvent* event) override;

    QWidget* fieldsArea() const { return FFieldsArea; }
    // A labelled box bound to `field` of `dataSource`, at row and column of the
    // grid layout of `area`.
    TDBEdit* addBox(QWidget* area, const char* name, const QString& label, TDataSource* dataSource,
                    const QString& field, int row, int column = 0);
    // Any other control under a label, at row and column of `area`.
    void addControl(QWidget* area, QWidget* control, const QString& label, int row, int column = 0,
                    int columnSpan = 1);
    void addButtons(const char* saveName, bool defaultAndCancel);
    void setTabOrderChain(const QList<QWidget*>& widgets);

    // Throws EmptyValueException with `message` when the box holds the empty text.
    static void requireText(const QLineEdit* box, const QString& message);

    TCrudController* FCrud;
    QPushButton* btnSave = nullptr; // named btnSaveGeneral or btnSave
    QPushButton* btnClose = nullptr;

private:
    static QGridLayout* gridOf(QWidget* area);
    // Refuses the save, naming the box, while a box holds text its field
    // cannot take: letters in a number, a time of 25:00, a half-typed time.
    // Stored, the field would be empty and the value it had lost.
    void checkBoxValues() const;
    QString captionOf(const QWidget* box) const;

    QWidget* FFieldsArea;
    QWidget* FFirstInTabOrder = nullptr; // takes the focus on every showing
};
