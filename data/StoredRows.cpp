#include "data/StoredRows.h"

#include "data/RowLoader.h"

TStoredRows::TStoredRows(const TDataSet& dataSet, TRowReader& reader) {
    const TRowLoader loader(dataSet);
    FColumnOf = loader.columnOf();
    FStore = loader.load(reader);
}

TStoredRows::~TStoredRows() = default;

int TStoredRows::rowCount() const {
    return FStore->rowCount();
}

bool TStoredRows::integer(int row, const TField* field, qint64* value) const {
    if (FStore->isNull(row, column(field))) {
        return false;
    }
    *value = qint64(FStore->number(row, column(field)));
    return true;
}

int TStoredRows::locate(const TField* keyField, const QVariant& key) const {
    if (keyField->FieldKind() != TFieldKind::Data) {
        return TKeyIndex::NoRow;
    }
    return FKeys.locate(*FStore, column(keyField), keyField->DataType(), key);
}

void TStoredRows::prefetchKey(const TField* keyField, qint64 key) const {
    FKeys.prefetch(column(keyField), key);
}

int TStoredRows::indexedRow(const TField* keyField, qint64 key) const {
    return FKeys.indexedRow(column(keyField), key);
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
