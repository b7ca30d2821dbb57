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

// Engine texts are decoded into the store by the store itself: whatever the
// bytes, the stored text is the one the library's decoder makes of them.
TEST(RowStoreTest, Utf8TextsReadAsTheLibraryDecodesThem) {
    const QByteArray texts[] = {
        "",
        "12A",
        "\xd0\x98\xd0\xb2\xd0\xb0\xd0\xbd\xd0\xbe\xd0\xb2 \xd0\x98. \xd0\x9f.", // Cyrillic
        "\xc2\xa0\xdf\xbf",                                                     // the ends of two-byte forms
        "\xe2\x82\xac 100",                                                     // three bytes
        "\xf0\x9f\x9b\xab", // four bytes: a surrogate pair
        "ab\xd0",           // cut short at the end
        "\xd0\x41",         // lead byte without its follower
        "\xc1\xbf",         // overlong
        "\x80z",            // stray continuation byte
    };
    TRowStore store({TFieldType::String});
    for (const QByteArray& text : texts) {
        const int row = store.appendRow();
        store.setUtf8(row, 0, text);
    }
    for (int row = 0; row < store.rowCount(); ++row) {
        EXPECT_EQ(store.text(row, 0).toString(), QString::fromUtf8(texts[row])) << row;
        EXPECT_FALSE(store.isNull(row, 0)) << row;
    }
}
