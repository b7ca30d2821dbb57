#pragma once

#include "ui/MaskEdit.h"

class TDataSource;
class TField;
class TFieldDataLink;

// An input box bound to a field of a data source. It shows the field of the
// current record and writes every change back at once, starting to edit the
// record when the dataset was browsing; it is read-only while the field cannot
// be written. Text the field cannot take stays in the box, and the field
// empty, until the user changes it or the record is saved or given up. A
// field with an edit mask brings its mask into the box, so the same box serves
// as the masked one. Text fields limit the typed length to their size.
class TDBEdit : public TMaskEdit {
    Q_OBJECT
public:
    explicit TDBEdit(QWidget* parent = nullptr);

    TDataSource* DataSource() const;
    void SetDataSource(TDataSource* dataSource);
    QString DataField() const;
    void SetDataField(const QString& fieldName);
    TField* Field() const;
    // Whether the text in the box is a value its field can take; an empty box
    // is an empty field. A masked box must be filled to hold one.
    bool HoldsValue() const;

private:
    void loadField();
    void writeField();
    QString storedText() const;

    TFieldDataLink* FLink;
    // The user's text that is no value of the field ("abc" in a number box):
    // the field is empty meanwhile, but the box keeps showing what was typed
    // while the record is being edited, so a later refusal points at a box
    // that shows why.
    bool FKeepsTyped = false;
};

// A bound box over a field with an edit mask is a TDBEdit: the mask comes with
// the field.
using TDBMaskEdit = TDBEdit;
