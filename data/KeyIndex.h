#pragma once

#include "data/Field.h"

#include <QHash>
#include <QVariant>

class TRowStore;

// The stored rows of a dataset by the value of a key column, which lookups
// from other datasets find their rows with. An integer key is answered from a
// hash built on its first lookup and kept up with every row written or
// deleted, so a lookup never rescans the table after a sale; lookup keys are
// row ids, unique in their table, and the first row with a key wins. A key of
// another type is found by reading the rows in order.
class TKeyIndex {
public:
    static constexpr int NoRow = -1;

    // The live row whose `column` (of type `type`) holds `key`, or NoRow.
    int locate(const TRowStore& store, int column, TFieldType type, const QVariant& key);
    // A row written: its keys enter every index built so far.
    void add(const TRowStore& store, int row);
    // A row about to change or go: its keys leave the indexes.
    void remove(const TRowStore& store, int row);
    void clear() { FIndexes.clear(); }

private:
    // Per integer key column: key value -> stored row.
    QHash<int, QHash<qint64, int>> FIndexes;
};
