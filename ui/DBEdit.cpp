#include "ui/DBEdit.h"

#include "data/DataSet.h"
#include "data/Exception.h"
#include "ui/FieldDataLink.h"
#include "ui/ShowingErrors.h"

namespace {

const int UnlimitedLength = 32767;

} // namespace

TDBEdit::TDBEdit(QWidget* parent) : TMaskEdit(parent), FLink(new TFieldDataLink(this)) {
    connect(FLink, &TFieldDataLink::dataChanged, this, showingErrors(this, &TDBEdit::loadField));
    connect(this, &TMaskEdit::Edited, this, showingErrors(this, &TDBEdit::writeField));
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
    setReadOnly(!FLink->CanModify());
    const TDataSet* dataSet = FLink->DataSet();
    const bool editing =
        dataSet && (dataSet->State() == TDataSetState::Edit || dataSet->State() == TDataSetState::Insert);
    if (FKeepsTyped && field && editing && field->IsNull()) {
        return;
    }
    FKeepsTyped = false;
    if (!field) {
        SetText(QString());
    } else {
        SetText(IsMasked() ? field->DisplayText() : field->Text());
    }
}

void TDBEdit::writeField() {
    FLink->WriteText(storedText());
    FKeepsTyped = !HoldsValue();
}

QString TDBEdit::storedText() const {
    return IsMasked() && IsEmpty() ? QString() : Text();
}

bool TDBEdit::HoldsValue() const {
    const TField* field = Field();
    const QString text = storedText();
    if (!field || text.isEmpty()) {
        return true;
    }
    if (IsMasked() && !IsFilled()) {
        return false;
    }
    try {
        field->valueFromText(text);
        return true;
    } catch (const EDatabaseError&) {
        return false;
    }
}
