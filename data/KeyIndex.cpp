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
        index = FIndexes.insert(column, TColumn());
        for (int row = 0; row < store.rowCount(); ++row) {
            if (!store.isDeleted(row) && !store.isNull(row, column)) {
                index->insert(qint64(store.number(row, column)), row);
            }
        }
    }
    bool ok = false;
    const qint64 k = key.toLongLong(&ok);
    return ok ? index->row(k) : NoRow;
}

void TKeyIndex::add(const TRowStore& store, int row) {
    for (auto it = FIndexes.begin(); it != FIndexes.end(); ++it) {
        if (!store.isNull(row, it.key())) {
            it->insert(qint64(store.number(row, it.key())), row);
        }
    }
}

void TKeyIndex::remove(const TRowStore& store, int row) {
    for (auto it = FIndexes.begin(); it != FIndexes.end(); ++it) {
        if (!store.isNull(row, it.key())) {
            it->erase(qint64(store.number(row, it.key())), row);
        }
    }
}

int TKeyIndex::TColumn::row(qint64 key) const {
    return inList(key) ? FRowOfKey[size_t(key)] : FFarKeys.value(key, NoRow);
}

void TKeyIndex::TColumn::prefetch(qint64 key) const {
    if (inList(key)) {
        __builtin_prefetch(FRowOfKey.data() + key);
    }
}

int TKeyIndex::indexedRow(int column, qint64 key) const {
    const auto index = FIndexes.constFind(column);
    return index == FIndexes.cend() ? NoRow : index->row(key);
}

void TKeyIndex::prefetch(int column, qint64 key) const {
    const auto index = FIndexes.constFind(column);
    if (index != FIndexes.cend()) {
        index->prefetch(key);
    }
}

void TKeyIndex::TColumn::insert(qint64 key, int row) {
    // The list grows to take a key up to about twice its length: ids come one
    // after another, and a table's ids seldom have gaps as long as the table.
    if (!inList(key) && key >= 0 && key < 2 * qint64(FRowOfKey.size()) + 1024) {
        FRowOfKey.resize(size_t(key) + 1, NoRow);
        for (auto it = FFarKeys.begin(); it != FFarKeys.end();) {
            if (inList(it.key())) {
                FRowOfKey[size_t(it.key())] = it.value();
                it = FFarKeys.erase(it);
            } else {
                ++it;
            }
        }
    }
    if (!inList(key)) {
        FFarKeys.insert(key, FFarKeys.value(key, row));
    } else if (FRowOfKey[size_t(key)] == NoRow) {
        FRowOfKey[size_t(key)] = row;
    }
}

void TKeyIndex::TColumn::erase(qint64 key, int row) {
    if (inList(key)) {
        if (FRowOfKey[size_t(key)] == row) {
            FRowOfKey[size_t(key)] = NoRow;
        }
    } else if (FFarKeys.value(key, NoRow) == row) {
        FFarKeys.remove(key);
    }
}
