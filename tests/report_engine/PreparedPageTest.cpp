#include "report_engine/prepared/PreparedPage.h"

#include <gtest/gtest.h>
#include <vector>

namespace {
using Mask = TfrxPreparedObject::TMask;

struct TAdded {
    qint32 alias;
    quint8 mask;
    qint32 text;
    std::vector<double> values;
};
} // namespace

// Objects come back as they were added, whatever the size of their numbers, and
// each finds its own numbers in the value list; aliases that follow each other,
// repeat or go back included.
TEST(PreparedPageTest, ObjectsComeBackInOrderWithTheirNumbers) {
    const std::vector<TAdded> added = {
        {0, 0, -1, {}},
        {1, Mask::mText | Mask::mChild, 7, {}},
        {2, Mask::mTop | Mask::mChild, -1, {4}},
        {127, Mask::mText | Mask::mChild, 0, {}},
        {128, Mask::mTop, -1, {12.5}},
        {16383, Mask::mLeft | Mask::mHeight | Mask::mText | Mask::mChild, 127, {-3, 0.25}},
        {16384, Mask::mLeft | Mask::mTop | Mask::mWidth | Mask::mHeight, -1, {1, 2, 3, 4}},
        {2097152, Mask::mText | Mask::mChild, 128, {}},
        {5, Mask::mWidth | Mask::mText | Mask::mChild, 2147483647, {99}},
        {6, Mask::mText | Mask::mChild, 1, {}},
        {6, Mask::mText | Mask::mChild, 1, {}},
        {5, Mask::mTop, -1, {7}},
        {2147483647, Mask::mText, 16384, {}},
        {0, Mask::mChild, -1, {}},
    };
    TfrxPreparedPage page;
    for (const TAdded& object : added) {
        page.FValues.insert(page.FValues.end(), object.values.begin(), object.values.end());
        page.add({object.alias, object.mask, 0, object.text});
    }
    page.squeeze();
    ASSERT_EQ(page.objectCount(), static_cast<int>(added.size()));
    size_t index = 0;
    for (const TfrxPreparedObject& object : page) {
        ASSERT_LT(index, added.size());
        const TAdded& expected = added[index++];
        EXPECT_EQ(object.FAlias, expected.alias) << index;
        EXPECT_EQ(object.FMask, expected.mask) << index;
        EXPECT_EQ(object.FText, expected.text) << index;
        for (size_t i = 0; i < expected.values.size(); ++i)
            EXPECT_EQ(page.FValues.at(static_cast<size_t>(object.FValues) + i), expected.values[i]) << index;
    }
    EXPECT_EQ(index, added.size());
}

TEST(PreparedPageTest, AnEmptyPageHasNoObjects) {
    const TfrxPreparedPage page;
    EXPECT_EQ(page.objectCount(), 0);
    EXPECT_TRUE(page.begin() == page.end());
}
