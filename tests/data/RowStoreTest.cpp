#include "data/RowStore.h"

#include <QDateTime>
#include <gtest/gtest.h>
#include <limits>

// Integer columns start in 32 bits and widen on the first value that needs more:
// every value stored before and after reads back unchanged, through each reader.
TEST(RowStoreTest, IntegersWidenWithoutLosingValues) {
    const qint64 values[] = {0,
                             1,
                             -1,
                             std::numeric_limits<qint32>::max(),
                             std::numeric_limits<qint32>::min(),
                             qint64(std::numeric_limits<qint32>::max()) + 1,
                             qint64(std::numeric_limits<qint32>::min()) - 1,
                             std::numeric_limits<qint64>::max(),
                             std::numeric_limits<qint64>::min(),
                             7};
    TRowStore store({TFieldType::Integer, TFieldType::Boolean});
    for (const qint64 value : values) {
        const int row = store.appendRow();
        store.setNumber(row, 0, value);
        store.setValue(row, 1, value % 2 != 0);
        for (int earlier = 0; earlier <= row; ++earlier) {
            EXPECT_EQ(store.number(earlier, 0), double(values[earlier])) << earlier;
            EXPECT_EQ(store.value(earlier, 1).toBool(), values[earlier] % 2 != 0) << earlier;
        }
    }
    const int unset = store.appendRow();
    EXPECT_TRUE(store.isNull(unset, 0));
    store.setValue(unset, 0, QVariant(qint64(1) << 40));
    EXPECT_EQ(store.number(unset, 0), double(qint64(1) << 40));
    EXPECT_EQ(store.number(2, 0), -1.0);
}

TEST(RowStoreTest, DateTimesKeepTheirMilliseconds) {
    TRowStore store({TFieldType::DateTime});
    const QDateTime when(QDate(2026, 12, 10), QTime(19, 14, 22, 345));
    const int row = store.appendRow();
    store.setValue(row, 0, when);
    EXPECT_EQ(store.value(row, 0).toDateTime(), when);
}
