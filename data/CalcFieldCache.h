#pragma once

#include "data/Prefetch.h"

#include <QVariant>
#include <functional>
#include <vector>

class TDataSet;
class TField;

// The calculated fields of a dataset: the values its calculation handler gives
// each record, kept for recently read records. A lookup from a big table into
// this one reads its rows in no useful order; keeping many records' values
// makes each computed once per change rather than once per read. Only the
// calculated fields' values are kept, side by side in one list (slot-major), so
// a big table's cache costs a few values a record.
class TCalcFieldCache {
public:
    // `calculate` runs the dataset's calculation handler with `record` as the
    // record its fields read.
    TCalcFieldCache(const TDataSet& dataSet, std::function<void(int record)> calculate);

    // The value of a calculated field of a record: a stored row, or the record
    // being edited (-2).
    QVariant value(int record, const TField* field);
    // Whether the handler is running: what it writes to a calculated field is
    // that record's value.
    bool calculating() const { return FCalculating; }
    void store(const TField* field, const QVariant& value);
    // Asks the processor to bring in what is kept for a stored row ahead of
    // reading it: the slot and its values (Cell), then their texts (Text).
    void prefetch(int record, TPrefetchStep step) const;
    // Forgets every value: the rows were dropped or the fields changed.
    void clear();

private:
    static constexpr int NoRecord = -1;

    void layOut();
    size_t slotOf(int record) const;
    void recalculate(int record);

    const TDataSet& FDataSet;
    std::function<void(int)> FCalculate;
    // The values the handler is writing, one per field of the dataset.
    std::vector<QVariant> FBuffer;
    int FRecord = NoRecord;
    bool FCalculating = false;
    struct TEntry {
        int record = NoRecord;
        quint64 stamp = 0;
    };
    std::vector<TEntry> FEntries;
    std::vector<QVariant> FValues;
    std::vector<int> FFields;  // indexes of the calculated fields
    std::vector<int> FOrdinal; // per field: its place among them, or -1
};
