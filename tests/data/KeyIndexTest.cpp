#include "data/KeyIndex.h"
#include "data/RowStore.h"

#include <gtest/gtest.h>
#include <initializer_list>

namespace {

// A one-column table of integer keys, the index over it, and the rows written
// after the index was built entering it as TStoredRows enters them.
class KeyIndexTest : public ::testing::Test {
protected:
    int append(qint64 key) {
        const int row = store.appendRow();
        store.setNumber(row, 0, key);
        index.add(store, row);
        return row;
    }
    int locate(qint64 key) { return index.locate(store, 0, TFieldType::Integer, key); }

    TRowStore store{{TFieldType::Integer}};
    TKeyIndex index;
};

} // namespace

// Ids as they come (from 1, with gaps, one far beyond the rest, a negative
// one), whether the index was built over them or they were written after it.
TEST_F(KeyIndexTest, FindsEveryKeyWrittenBeforeOrAfterTheIndexWasBuilt) {
    const qint64 before[] = {1, 2, 3, 7, 5000000000, -4};
    const qint64 after[] = {8, 900, 3000, 4000, 10000, 20000};
    for (const qint64 key : before) {
        append(key);
    }
    EXPECT_EQ(locate(1), 0); // builds the index
    for (const qint64 key : after) {
        append(key);
    }
    int row = 0;
    for (const auto& keys : {std::begin(before), std::begin(after)}) {
        for (const qint64* key = keys; key != keys + 6; ++key) {
            EXPECT_EQ(locate(*key), row++) << *key;
        }
    }
    for (const qint64 missing : {0LL, 4LL, 6LL, 2999LL, 5000000001LL, -1LL}) {
        EXPECT_EQ(locate(missing), TKeyIndex::NoRow) << missing;
    }
    EXPECT_EQ(index.locate(store, 0, TFieldType::Integer, QStringLiteral("not a key")), TKeyIndex::NoRow);
}

// A far key taken in while the list was short is still found once the list
// has grown past it.
TEST_F(KeyIndexTest, FarKeyIsFoundAfterTheListGrowsPastIt) {
    append(1);
    EXPECT_EQ(locate(1), 0);
    const int far = append(3000);
    for (qint64 key = 2; key <= 3100; key += 100) {
        append(key);
    }
    EXPECT_EQ(locate(3000), far);
    append(3000); // a second row with the key: the first keeps it
    EXPECT_EQ(locate(3000), far);
}

// A row that changes or goes takes its key with it only where the key names
// that row; the first row with a key wins, also over a later duplicate.
TEST_F(KeyIndexTest, RemovedRowsLeaveAndDuplicatesKeepTheFirstRow) {
    const int first = append(5);
    const int duplicate = append(5);
    const int far = append(7000000);
    EXPECT_EQ(locate(5), first);
    index.remove(store, duplicate);
    EXPECT_EQ(locate(5), first);
    index.remove(store, first);
    store.markDeleted(first);
    EXPECT_EQ(locate(5), TKeyIndex::NoRow);
    index.remove(store, far);
    EXPECT_EQ(locate(7000000), TKeyIndex::NoRow);
    store.setNumber(far, 0, 6);
    index.add(store, far);
    EXPECT_EQ(locate(6), far);
}

// Reading ahead asks an index only once it is built, and then gets the row
// that locating the key gives, for every kind of key.
TEST_F(KeyIndexTest, IndexedRowAnswersAsLocateOnceTheIndexIsBuilt) {
    for (const qint64 key : {1LL, 2LL, 5000000000LL, -4LL, 3LL}) {
        append(key);
    }
    EXPECT_EQ(index.indexedRow(0, 1), TKeyIndex::NoRow) << "no index built yet";
    locate(1);
    for (const qint64 key : {1LL, 2LL, 3LL, 5000000000LL, -4LL, 0LL, 4LL, 5000000001LL, -1LL}) {
        index.prefetch(0, key);
        EXPECT_EQ(index.indexedRow(0, key), locate(key)) << key;
    }
    EXPECT_EQ(index.indexedRow(1, 1), TKeyIndex::NoRow) << "a column without an index";
}
