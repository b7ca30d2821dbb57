#include "data/LookupResolver.h"

#include "data/ChangeStamp.h"
#include "data/DataSet.h"
#include "data/Exception.h"

namespace {

bool integral(TFieldType type) {
    return type == TFieldType::Integer || type == TFieldType::AutoInc;
}

} // namespace

TLookupResolver::TLookupResolver(const TDataSet& dataSet, const TField& field)
    : FDataSet(dataSet), FField(field) {}

void TLookupResolver::link() {
    const TDataSet* target = FField.LookupDataSet;
    FKey = FDataSet.FieldByName(FField.KeyFields);
    FTargetKey = target->FieldByName(FField.LookupKeyFields);
    FResult = target->FieldByName(FField.LookupResultField);
}

// Keys are mostly consecutive ids, which the low bits spread evenly.
size_t TLookupResolver::foundSlot(qint64 key) const {
    return size_t(key) & (FFound.size() - 1);
}

bool TLookupResolver::integerKeys() const {
    return FKey->FieldKind() == TFieldKind::Data && integral(FKey->DataType()) &&
           integral(FTargetKey->DataType());
}

bool TLookupResolver::byKeyIndex() const {
    return size_t(FField.LookupDataSet->storedRowCount()) > MaxFound;
}

// The integer key of a stored row, where its value is found by one: the lookup
// has been used (its fields are known) and the looked-up dataset is open.
bool TLookupResolver::storedKey(int record, qint64* number) const {
    const TDataSet* target = FField.LookupDataSet;
    return FResult && target && target->Active() && integerKeys() &&
           FDataSet.storedInteger(record, FKey, number);
}

void TLookupResolver::prefetch(int record, TPrefetchStep step) const {
    qint64 number = 0;
    if (!storedKey(record, &number)) {
        return;
    }
    if (byKeyIndex()) {
        FField.LookupDataSet->prefetchLookedUp(FTargetKey, number, FResult, step);
    } else if (!FFound.empty()) {
        const TFound& found = FFound[foundSlot(number)];
        if (step == TPrefetchStep::Cell) {
            __builtin_prefetch(&found);
        } else if (step == TPrefetchStep::Text && found.key == number) {
            prefetchText(found.value);
        }
    }
}

QVariant TLookupResolver::value(int record) {
    const TDataSet* target = FField.LookupDataSet;
    if (!target || !target->Active()) {
        return {};
    }
    if (!FResult) {
        link();
    }
    // A stored row's integer key is read straight from the store; anything else
    // (the record being edited, a key of another type) goes the general way.
    if (record < 0 || !integerKeys()) {
        const QVariant key = FKey->Value();
        return key.isNull() || !key.isValid() ? QVariant() : find(key);
    }
    qint64 number = 0;
    if (!FDataSet.storedInteger(record, FKey, &number)) {
        return {};
    }
    // A table with more rows than the values kept would have its keys push
    // one another out in turn (a million sales name a hundred thousand clients
    // in no order), so each would be found anew anyway, while the kept values
    // cost megabytes: its values are read through its key index instead.
    if (byKeyIndex()) {
        return find(number);
    }
    if (FFound.empty()) {
        size_t slotCount = 16;
        while (slotCount < size_t(target->storedRowCount())) {
            slotCount *= 2;
        }
        FFound.resize(slotCount);
    }
    TFound& found = FFound[foundSlot(number)];
    if (found.stamp != TChangeStamp::current() || found.key != number) {
        found.value = find(number);
        found.key = number;
        found.stamp = TChangeStamp::current();
    }
    return found.value;
}

QVariant TLookupResolver::find(const QVariant& key) const {
    const TDataSet* target = FField.LookupDataSet;
    const int row = target->locateStored(FTargetKey, key);
    if (row < 0) {
        return {};
    }
    const QVariant value = target->storedValue(row, FResult);
    if (FResult->DataType() == FField.DataType() || value.isNull()) {
        return FField.cutToSize(value);
    }
    // A text read as a number (the markup of a ticket type is kept as text):
    // text that is no number reads as empty.
    try {
        return FField.cutToSize(FField.valueFromText(FResult->textOf(value, false)));
    } catch (const EDatabaseError&) {
        return {};
    }
}
