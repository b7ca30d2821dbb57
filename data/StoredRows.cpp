#include "data/StoredRows.h"

#include "data/Field.h"
#include "data/RowLoader.h"
#include "data/RowStore.h"

TStoredRows::TStoredRows(const TDataSet& dataSet, TRowReader& reader) {
    const TRowLoader loader(dataSet);
    FColumnOf = loader.columnOf();
    FStore = loader.load(reader);
}

TStoredRows::~TStoredRows() = default;

int TStoredRows::rowCount() const {
    return FStore->rowCount();
}

QVariant TStoredRows::value(int row, const TField* field) const {
    return FStore->value(row, FColumnOf[size_t(field->Index())]);
}

bool TStoredRows::integer(int row, const TField* field, qint64* value) const {
    const int column = FColumnOf[size_t(field->Index())];
    if (FStore->isNull(row, column)) {
        return false;
    }
    *value = qint64(FStore->number(row, column));
    return true;
}

QStringView TStoredRows::text(int row, const TField* field) const {
    return FStore->text(row, FColumnOf[size_t(field->Index())]);
}

int TStoredRows::locate(const TField* keyField, const QVariant& key) const {
    if (keyField->FieldKind() != TFieldKind::Data) {
        return TKeyIndex::NoRow;
    }
    return FKeys.locate(*FStore, FColumnOf[size_t(keyField->Index())], keyField->DataType(), key);
}

int TStoredRows::append(const std::vector<QVariant>& record) {
    const int row = FStore->appendRow();
    write(row, record);
    return row;
}

void TStoredRows::update(int row, const std::vector<QVariant>& record) {
    FKeys.remove(*FStore, row);
    write(row, record);
}

void TStoredRows::remove(int row) {
    FKeys.remove(*FStore, row);
    FStore->markDeleted(row);
}

// The record's data fields into the row, and the row's keys into the index.
void TStoredRows::write(int row, const std::vector<QVariant>& record) {
    for (size_t field = 0; field < FColumnOf.size(); ++field) {
        if (FColumnOf[field] >= 0) {
            FStore->setValue(row, FColumnOf[field], record[field]);
        }
    }
    FKeys.add(*FStore, row);
}
