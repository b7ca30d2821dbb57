#include "data/KeyIndex.h"

#include "data/RowStore.h"

int TKeyIndex::locate(const TRowStore& store, int column, TFieldType type, const QVariant& key) {
    if (type != TFieldType::AutoInc && type != TFieldType::Integer) {
        for (int row = 0; row < store.rowCount(); ++row) {
            if (!store.isDeleted(row) && store.value(row, column) == key) {
                return row;
            }
        }
        return NoRow;
    }
    auto index = FIndexes.find(column);
    if (index == FIndexes.end()) {
        QHash<qint64, int> built;
        built.reserve(store.rowCount());
        for (int row = store.rowCount() - 1; row >= 0; --row) {
            if (!store.isDeleted(row) && !store.isNull(row, column)) {
                built.insert(qint64(store.number(row, column)), row); // the first row wins
            }
        }
        index = FIndexes.insert(column, built);
    }
    bool ok = false;
    const qint64 k = key.toLongLong(&ok);
    return ok ? index->value(k, NoRow) : NoRow;
}

void TKeyIndex::add(const TRowStore& store, int row) {
    for (auto it = FIndexes.begin(); it != FIndexes.end(); ++it) {
        if (!store.isNull(row, it.key())) {
            const qint64 key = qint64(store.number(row, it.key()));
            if (!it->contains(key)) {
                it->insert(key, row);
            }
        }
    }
}

void TKeyIndex::remove(const TRowStore& store, int row) {
    for (auto it = FIndexes.begin(); it != FIndexes.end(); ++it) {
        if (!store.isNull(row, it.key())) {
            const qint64 key = qint64(store.number(row, it.key()));
            if (it->value(key, NoRow) == row) {
                it->remove(key);
            }
        }
    }
}
