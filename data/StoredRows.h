#pragma once

#include "data/Field.h"
#include "data/KeyIndex.h"
#include "data/RowStore.h"

#include <QStringView>
#include <QVariant>
#include <memory>
#include <vector>

class TDataSet;
class TRowReader;

// The rows of an open dataset: those read when it opened and those it wrote
// since, each data field in its column of the store, with the index that
// lookups find rows by. A row keeps its number while the dataset is open; a
// deleted one is only marked. A record, as written here, is a value per field
// of the dataset, of which the data fields are kept.
class TStoredRows {
public:
    // Reads every row of `reader` into the data fields of `dataSet`. Throws
    // EDatabaseError.
    TStoredRows(const TDataSet& dataSet, TRowReader& reader);
    ~TStoredRows();
    TStoredRows(const TStoredRows&) = delete;
    TStoredRows& operator=(const TStoredRows&) = delete;

    const TRowStore& store() const { return *FStore; }
    // The rows read and written, deleted ones included.
    int rowCount() const;

    // Reading a data field of a stored row; sorting, filtering and lookups
    // read every row through here.
    QVariant value(int row, const TField* field) const { return FStore->value(row, column(field)); }
    // The whole number of a numeric field; false when empty.
    bool integer(int row, const TField* field, qint64* value) const;
    // The text of a text field, without a copy.
    QStringView text(int row, const TField* field) const { return FStore->text(row, column(field)); }
    // The live row whose data field `keyField` equals `key`, or -1.
    int locate(const TField* keyField, const QVariant& key) const;
    // Reading ahead of a lookup by an integer key (see TDataSet::readAhead):
    // where the key index keeps the key's row; the row of the key from an index
    // already built, or -1; a step of reading a row's cell of a data field.
    void prefetchKey(const TField* keyField, qint64 key) const;
    int indexedRow(const TField* keyField, qint64 key) const;
    void prefetch(int row, const TField* field, TPrefetchStep step) const {
        if (column(field) >= 0) {
            FStore->prefetch(row, column(field), step);
        }
    }

    // A new row holding the record; returns its number.
    int append(const std::vector<QVariant>& record);
    // The row now holds the record.
    void update(int row, const std::vector<QVariant>& record);
    void remove(int row);

private:
    int column(const TField* field) const { return FColumnOf[size_t(field->Index())]; }
    void write(int row, const std::vector<QVariant>& record);

    std::vector<int> FColumnOf; // per field: its column in the store, or -1
    std::unique_ptr<TRowStore> FStore;
    mutable TKeyIndex FKeys; // built on the first lookup by a key
};
