#include "ui/DBLookupComboBox.h"

#include "ui/DataSetTableModel.h"
#include "ui/FieldDataLink.h"

namespace {

// Keys come from integer columns as int or qlonglong, and from a caller as
// either: compare them as numbers when both are.
bool sameKey(const QVariant& a, const QVariant& b) {
    if (a.isNull() || b.isNull()) {
        return false;
    }
    bool aNumber = false;
    bool bNumber = false;
    const qlonglong x = a.toLongLong(&aNumber);
    const qlonglong y = b.toLongLong(&bNumber);
    return aNumber && bNumber ? x == y : a.toString() == b.toString();
}

} // namespace

TDBLookupComboBox::TDBLookupComboBox(QWidget* parent)
    : QComboBox(parent), FLink(new TFieldDataLink(this)), FList(new TDataSetTableModel(this)) {
    setModel(FList);
    setModelColumn(0);
    connect(FLink, &TFieldDataLink::dataChanged, this, &TDBLookupComboBox::showKey);
    // Connected after the combo box's own handling, which picks the first row.
    connect(FList, &QAbstractItemModel::modelReset, this, &TDBLookupComboBox::showKey);
    connect(this, &QComboBox::activated, this, &TDBLookupComboBox::chosen);
    showKey();
}

TDataSource* TDBLookupComboBox::DataSource() const {
    return FLink->DataSource();
}

void TDBLookupComboBox::SetDataSource(TDataSource* dataSource) {
    FLink->SetDataSource(dataSource);
}

QString TDBLookupComboBox::DataField() const {
    return FLink->FieldName();
}

void TDBLookupComboBox::SetDataField(const QString& fieldName) {
    FLink->SetFieldName(fieldName);
}

TDataSource* TDBLookupComboBox::ListSource() const {
    return FList->DataSource();
}

void TDBLookupComboBox::SetListSource(TDataSource* listSource) {
    FList->SetDataSource(listSource);
}

void TDBLookupComboBox::SetKeyField(const QString& fieldName) {
    FKeyField = fieldName;
    showKey();
}

QString TDBLookupComboBox::ListField() const {
    return FList->Columns().empty() ? QString() : FList->Columns().front().FieldName;
}

void TDBLookupComboBox::SetListField(const QString& fieldName) {
    TGridColumn column;
    column.FieldName = fieldName;
    FList->SetColumns({column});
}

bool TDBLookupComboBox::isBound() const {
    return FLink->DataSource() != nullptr;
}

QVariant TDBLookupComboBox::KeyValue() const {
    if (!isBound()) {
        return FKeyValue;
    }
    const TField* field = FLink->Field();
    return field && !field->IsNull() ? field->Value() : QVariant();
}

void TDBLookupComboBox::SetKeyValue(const QVariant& key) {
    if (isBound()) {
        FLink->WriteValue(key);
    } else {
        FKeyValue = key;
    }
    showKey();
}

void TDBLookupComboBox::showKey() {
    setCurrentIndex(rowOfKey(KeyValue()));
}

// The lists are reference books of a few hundred rows; a scan of the visible rows
// finds the key in the order the user sees them.
int TDBLookupComboBox::rowOfKey(const QVariant& key) const {
    const TField* field = keyField();
    if (key.isNull() || !field) {
        return -1;
    }
    for (int row = 0; row < FList->rowCount(); ++row) {
        if (sameKey(FList->DataSet()->valueAt(row, field), key)) {
            return row;
        }
    }
    return -1;
}

const TField* TDBLookupComboBox::keyField() const {
    const TDataSet* dataSet = FList->DataSet();
    return dataSet && dataSet->Active() ? dataSet->FindField(FKeyField) : nullptr;
}

QVariant TDBLookupComboBox::keyAt(int row) const {
    const TField* field = keyField();
    return field ? FList->DataSet()->valueAt(row, field) : QVariant();
}

void TDBLookupComboBox::chosen(int row) {
    const QVariant key = keyAt(row);
    if (!isBound()) {
        FKeyValue = key;
    } else if (!FLink->WriteValue(key)) {
        showKey();
        return;
    }
    emit KeyValueChanged();
}
