#pragma once

#include "ui/MaskEdit.h"

class TDataSource;
class TField;
class TFieldDataLink;

// An input box bound to a field of a data source. It shows the field of the
// current record and writes every change back at once, starting to edit the
// record when the dataset was browsing; it is read-only while the field cannot
// be written. A field with an edit mask brings its mask into the box, so the
// same box serves as the masked one. Text fields limit the typed length to
// their size.
class TDBEdit : public TMaskEdit {
    Q_OBJECT
public:
    explicit TDBEdit(QWidget* parent = nullptr);

    TDataSource* DataSource() const;
    void SetDataSource(TDataSource* dataSource);
    QString DataField() const;
    void SetDataField(const QString& fieldName);
    TField* Field() const;

private:
    void loadField();
    void writeField();

    TFieldDataLink* FLink;
};

// A bound box over a field with an edit mask is a TDBEdit: the mask comes with
// the field.
using TDBMaskEdit = TDBEdit;
