#include "data/RowStore.h"

#include <QDateTime>
#include <gtest/gtest.h>
#include <limits>
#include <vector>

// Integer columns start in one byte and widen on the first value that needs more:
// every value stored before and after reads back unchanged, through each reader.
TEST(RowStoreTest, IntegersWidenWithoutLosingValues) {
    const qint64 values[] = {0,
                             1,
                             -1,
                             127,
                             -128,
                             128,
                             -129,
                             std::numeric_limits<qint16>::max(),
                             std::numeric_limits<qint16>::min(),
                             qint64(std::numeric_limits<qint16>::max()) + 1,
                             qint64(std::numeric_limits<qint16>::min()) - 1,
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

// Ids read in their order rise with the rows, with gaps where rows were deleted;
// a column of them changes how it keeps its values as they stop doing so, and
// every value, an edited one and the rows never set included, reads back.
TEST(RowStoreTest, RisingIdsReadBackThroughEveryChangeOfForm) {
    TRowStore store({TFieldType::AutoInc});
    std::vector<qint64> values;
    const auto add = [&](qint64 value) {
        values.push_back(value);
        store.setNumber(store.appendRow(), 0, value);
    };
    const auto readBack = [&](const char* when) {
        SCOPED_TRACE(when);
        for (int row = 0; row < int(values.size()); ++row)
            ASSERT_EQ(store.number(row, 0), double(values[size_t(row)])) << row;
    };
    for (int row = 0; row < 300; ++row)
        add(row + 1);
    for (int row = 300; row < 600; ++row)
        add(row + 40);
    readBack("rising, with a gap");
    add(-7);
    readBack("a value far below its row");
    for (int row = 601; row < 700; ++row)
        add(row + 40);
    add(qint64(1) << 40);
    const int unset = store.appendRow();
    store.setNumber(150, 0, 100000);
    values[150] = 100000;
    readBack("wide, and edited");
    EXPECT_TRUE(store.isNull(unset, 0));
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

// Texts as the loader stores them: repeated ones share their characters, so every
// row must still read its own text, after the store is squeezed and after an edit
// of a row whose characters another row shares.
TEST(RowStoreTest, RepeatedTextsReadBackPerRowThroughEditsAndSqueezing) {
    std::vector<QString> expected;
    for (int i = 0; i < 5000; ++i) {
        switch (i % 4) {
        case 0:
            expected.push_back(QStringLiteral("%1%2").arg(i % 30 + 1).arg(QChar(u'A' + i % 6)));
            break;
        case 1:
            expected.push_back(QStringLiteral("Иван Петрович #%1").arg(i)); // never repeated
            break;
        case 2:
            expected.push_back(i % 8 == 2 ? QString() : QStringLiteral("Мария"));
            break;
        default:
            expected.push_back(i % 12 == 3 ? QString(300, QChar(u'ж')) : QStringLiteral(""));
            break;
        }
    }
    TRowStore store({TFieldType::String});
    for (const QString& text : expected) {
        const int row = store.appendRow();
        if (!text.isNull())
            store.setUtf8(row, 0, text.toUtf8());
    }
    const auto checkAll = [&](const char* when) {
        SCOPED_TRACE(when);
        for (int row = 0; row < store.rowCount(); ++row) {
            ASSERT_EQ(store.isNull(row, 0), expected[size_t(row)].isNull()) << row;
            ASSERT_EQ(store.text(row, 0), expected[size_t(row)]) << row;
        }
    };
    checkAll("read");
    store.squeeze();
    checkAll("squeezed");
    for (const int row : {0, 4, 6, 2}) {
        expected[size_t(row)] = QStringLiteral("правка %1").arg(row);
        store.setValue(row, 0, expected[size_t(row)]);
    }
    store.setValue(10, 0, QVariant());
    expected[10] = QString();
    const int added = store.appendRow();
    store.setUtf8(added, 0, "1A");
    expected.push_back(QStringLiteral("1A"));
    checkAll("edited");
}
