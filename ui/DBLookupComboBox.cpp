#include "ui/DBLookupComboBox.h"

#include "ui/DataSetTableModel.h"
#include "ui/FieldDataLink.h"

#include <QListView>

namespace {

const int MinimumContentsLength = 20;

// Keys come from integer columns as int or qlonglong, and from a caller as
// either; their text is the same.
QString keyText(const QVariant& key) {
    return key.toString();
}

} // namespace

TDBLookupComboBox::TDBLookupComboBox(QWidget* parent)
    : QComboBox(parent), FLink(new TFieldDataLink(this)), FList(new TDataSetTableModel(this)) {
    setModel(FList);
    setModelColumn(0);
    // Lists of a hundred thousand clients: the box is not measured over all its
    // items, the list drops down below the box instead of being sized to its
    // widest item, and every row is taken to be as high as the first.
    setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    setStyleSheet(QStringLiteral("QComboBox { combobox-popup: 0; }"));
    setMinimumContentsLength(MinimumContentsLength);
    if (auto* list = qobject_cast<QListView*>(view())) {
        list->setUniformItemSizes(true);
    }
    connect(FLink, &TFieldDataLink::dataChanged, this, &TDBLookupComboBox::showKey);
    // Connected after the combo box's own handling, which picks the first row.
    connect(FList, &QAbstractItemModel::modelReset, this, [this] {
        FRowsIndexed = false;
        showKey();
    });
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
    FRowsIndexed = false;
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

// A bound box looks its key up at every move of the record it follows, also
// while its window is hidden and a report walks a million sales; so the rows
// are indexed by key once per change of the list.
int TDBLookupComboBox::rowOfKey(const QVariant& key) const {
    if (key.isNull() || !key.isValid()) {
        return -1;
    }
    if (!FRowsIndexed) {
        indexRows();
    }
    return FRowOfKey.value(keyText(key), -1);
}

void TDBLookupComboBox::indexRows() const {
    FRowOfKey.clear();
    FRowsIndexed = true;
    const TField* field = keyField();
    if (!field) {
        return;
    }
    for (int row = FList->rowCount() - 1; row >= 0; --row) {
        const QVariant key = FList->DataSet()->valueAt(row, field);
        if (!key.isNull()) {
            FRowOfKey.insert(keyText(key), row); // going up, so the first row wins
        }
    }
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
