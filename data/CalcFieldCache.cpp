#include "data/CalcFieldCache.h"

#include "data/ChangeStamp.h"
#include "data/DataSet.h"
#include "data/ScopedValue.h"

TCalcFieldCache::TCalcFieldCache(const TDataSet& dataSet, std::function<void(int record)> calculate)
    : FDataSet(dataSet), FCalculate(std::move(calculate)) {}

QVariant TCalcFieldCache::value(int record, const TField* field) {
    if (FCalculating && FRecord == record) {
        return FBuffer[field->Index()];
    }
    if (FEntries.empty()) {
        layOut();
    }
    const size_t slot = slotOf(record);
    TEntry& entry = FEntries[slot];
    QVariant* values = FValues.data() + slot * FFields.size();
    if (entry.record != record || entry.stamp != TChangeStamp::current()) {
        recalculate(record);
        entry.record = record;
        entry.stamp = TChangeStamp::current();
        for (size_t i = 0; i < FFields.size(); ++i) {
            values[i] = std::move(FBuffer[size_t(FFields[i])]);
        }
    }
    return values[FOrdinal[size_t(field->Index())]];
}

// The edit buffer shares the slot of no stored row.
size_t TCalcFieldCache::slotOf(int record) const {
    return size_t(record + 2) % FEntries.size();
}

void TCalcFieldCache::prefetch(int record, TPrefetchStep step) const {
    if (FEntries.empty() || step == TPrefetchStep::KeyRow) {
        return;
    }
    const size_t slot = slotOf(record);
    const QVariant* values = FValues.data() + slot * FFields.size();
    if (step == TPrefetchStep::Cell) {
        __builtin_prefetch(FEntries.data() + slot);
        __builtin_prefetch(values);
    } else if (FEntries[slot].record == record) {
        for (size_t i = 0; i < FFields.size(); ++i) {
            prefetchText(values[i]);
        }
    }
}

void TCalcFieldCache::store(const TField* field, const QVariant& value) {
    FBuffer[field->Index()] = field->cutToSize(value);
}

void TCalcFieldCache::clear() {
    FEntries.clear();
    FValues.clear();
}

void TCalcFieldCache::layOut() {
    const auto& fields = FDataSet.Fields();
    FFields.clear();
    FOrdinal.assign(fields.size(), -1);
    for (const auto& field : fields) {
        if (field->FieldKind() == TFieldKind::Calculated) {
            FOrdinal[size_t(field->Index())] = int(FFields.size());
            FFields.push_back(field->Index());
        }
    }
    size_t slotCount = 64;
    while (slotCount < size_t(FDataSet.storedRowCount()) && slotCount < 65536) {
        slotCount *= 2;
    }
    FEntries.assign(slotCount, TEntry());
    FValues.assign(slotCount * FFields.size(), QVariant());
}

// Runs the calculation handler for one record; writes to calculated fields
// land in the buffer.
void TCalcFieldCache::recalculate(int record) {
    // Only calculated fields are read from the buffer; their values were moved
    // into the cache, so only they need clearing.
    if (FBuffer.size() != FDataSet.Fields().size()) {
        FBuffer.assign(FDataSet.Fields().size(), QVariant());
    }
    for (const int index : FFields) {
        FBuffer[size_t(index)] = QVariant();
    }
    TScopedValue<int> calcRecord(FRecord, record);
    TScopedValue<bool> calculating(FCalculating, true);
    FCalculate(record);
}
