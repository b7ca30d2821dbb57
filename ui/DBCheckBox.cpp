#include "ui/DBCheckBox.h"

#include "ui/FieldDataLink.h"
#include "ui/ShowingErrors.h"

TDBCheckBox::TDBCheckBox(const QString& text, QWidget* parent)
    : QCheckBox(text, parent), FLink(new TFieldDataLink(this)) {
    connect(FLink, &TFieldDataLink::dataChanged, this, showingErrors(this, &TDBCheckBox::loadField));
}

TDataSource* TDBCheckBox::DataSource() const {
    return FLink->DataSource();
}

void TDBCheckBox::SetDataSource(TDataSource* dataSource) {
    FLink->SetDataSource(dataSource);
}

QString TDBCheckBox::DataField() const {
    return FLink->FieldName();
}

void TDBCheckBox::SetDataField(const QString& fieldName) {
    FLink->SetFieldName(fieldName);
}

TField* TDBCheckBox::Field() const {
    return FLink->Field();
}

void TDBCheckBox::loadField() {
    const TField* field = Field();
    setChecked(field && field->AsBoolean());
}

// The box changes only together with the field.
void TDBCheckBox::nextCheckState() {
    runShowingErrors([this] {
        if (FLink->WriteValue(!isChecked())) {
            QCheckBox::nextCheckState();
        }
    });
}
