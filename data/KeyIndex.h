#pragma once

#include "data/Field.h"

#include <QHash>
#include <QVariant>
#include <vector>

class TRowStore;

// The stored rows of a dataset by the value of a key column, which lookups
// from other datasets find their rows with. An integer key is answered from an
// index built on its first lookup and kept up with every row written or
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
    // Only from an index already built, without building one: the row of an
    // integer key, or NoRow; and asking the processor for where that row is
    // kept, ahead of reading it.
    int indexedRow(int column, qint64 key) const;
    void prefetch(int column, qint64 key) const;

private:
    // One integer key column. Keys are row ids, dense from 1, so nearly every
    // key is a place in a list: four bytes a key, and one read where a hash
    // probes scattered memory (a million sales look up a hundred thousand
    // clients in no order). A key far beyond the others goes to a hash.
    class TColumn {
    public:
        int row(qint64 key) const;
        void prefetch(qint64 key) const;
        void insert(qint64 key, int row); // a key already present keeps its row
        void erase(qint64 key, int row);  // only where the key names that row

    private:
        bool inList(qint64 key) const { return key >= 0 && key < qint64(FRowOfKey.size()); }
        std::vector<int> FRowOfKey; // NoRow where no row has the key
        QHash<qint64, int> FFarKeys;
    };

    QHash<int, TColumn> FIndexes; // per integer key column
};
