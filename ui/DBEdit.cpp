#include "ui/DBEdit.h"

#include "data/DataSet.h"
#include "ui/FieldDataLink.h"

namespace {

const int UnlimitedLength = 32767;

} // namespace

TDBEdit::TDBEdit(QWidget* parent) : TMaskEdit(parent), FLink(new TFieldDataLink(this)) {
    connect(FLink, &TFieldDataLink::dataChanged, this, &TDBEdit::loadField);
    connect(this, &TMaskEdit::Edited, this, &TDBEdit::writeField);
    loadField();
}

TDataSource* TDBEdit::DataSource() const {
    return FLink->DataSource();
}

void TDBEdit::SetDataSource(TDataSource* dataSource) {
    FLink->SetDataSource(dataSource);
}

QString TDBEdit::DataField() const {
    return FLink->FieldName();
}

void TDBEdit::SetDataField(const QString& fieldName) {
    FLink->SetFieldName(fieldName);
}

TField* TDBEdit::Field() const {
    return FLink->Field();
}

// A masked box lays out the field's display text (a time shown as "HH:NN" fits
// "!90:00"); a plain box shows the text as it is edited.
void TDBEdit::loadField() {
    const TField* field = Field();
    SetEditMask(field ? field->EditMask : QString());
    if (!IsMasked()) {
        setMaxLength(field && field->IsText() && field->Size() > 0 ? field->Size() : UnlimitedLength);
    }
    if (!field) {
        SetText(QString());
    } else {
        SetText(IsMasked() ? field->DisplayText() : field->Text());
    }
    setReadOnly(!FLink->CanModify());
}

void TDBEdit::writeField() {
    FLink->WriteText(IsMasked() && IsEmpty() ? QString() : Text());
}
