#pragma once

#include "data/Prefetch.h"

#include <QVariant>
#include <vector>

class TDataSet;
class TField;

// The value of one lookup field: the result field of the row of the looked-up
// dataset whose key equals this record's key field, cut to the lookup's size;
// empty when no row matches or the looked-up dataset is closed. The fields it
// reads are found by name on first use: a lookup runs for every row a grid or
// report shows, and names never change after declaration.
class TLookupResolver {
public:
    TLookupResolver(const TDataSet& dataSet, const TField& field);

    // The value for `record` of the dataset: a stored row, or the record being
    // edited (below 0), which must be the dataset's active record.
    QVariant value(int record);
    // A step of reading ahead the value of a stored row (see TDataSet::readAhead).
    void prefetch(int record, TPrefetchStep step) const;

private:
    void link();
    bool integerKeys() const;
    bool byKeyIndex() const;
    bool storedKey(int record, qint64* number) const;
    size_t foundSlot(qint64 key) const;
    QVariant find(const QVariant& key) const;

    const TDataSet& FDataSet;
    const TField& FField;
    const TField* FKey = nullptr;
    const TField* FTargetKey = nullptr;
    const TField* FResult = nullptr;
    // Values found by integer key, kept while no dataset changes: a list or
    // report names the same few flights, clients and ticket types row after
    // row, and each find walks through the looked-up dataset's fields.
    struct TFound {
        qint64 key = 0;
        quint64 stamp = 0;
        QVariant value;
    };
    static constexpr size_t MaxFound = 65536;
    std::vector<TFound> FFound;
};
