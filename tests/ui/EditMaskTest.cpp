#include "ui/EditMask.h"

#include "data/FormatSettings.h"

#include <gtest/gtest.h>

namespace {

const QString DateMask = QStringLiteral("!99/99/0000;1;_");
const QString TimeMask = QStringLiteral("!90:00;1;_");

// Keys typed in a row: '\b' is backspace and '\x7f' is delete; every other
// character is typed as it stands.
TEditMask::TKeyResult typeKeys(const TEditMask& mask, QString text, int cursor, const QString& keys) {
    TEditMask::TKeyResult result{text, cursor, true};
    for (QChar key : keys) {
        if (key == QLatin1Char('\b')) {
            result = mask.Backspace(result.text, result.cursor);
        } else if (key == QChar(0x7f)) {
            result = mask.DeleteKey(result.text, result.cursor);
        } else {
            result = mask.TypeKey(result.text, result.cursor, key);
        }
    }
    return result;
}

struct TStoredCase {
    QString mask;
    QString stored;
    QString typingDisplay; // with the blank character
    QString storedBack;    // what the box gives to store
    bool empty;
    bool filled;
};

class StoredTextTest : public ::testing::TestWithParam<TStoredCase> {};

TEST_P(StoredTextTest, StoredTextBecomesEditTextAndBack) {
    const TStoredCase& c = GetParam();
    const TEditMask mask(c.mask);
    const QString edit = mask.FromStored(c.stored);
    EXPECT_EQ(mask.Display(edit, true), c.typingDisplay);
    EXPECT_EQ(mask.Display(edit, false),
              QString(c.typingDisplay).replace(mask.BlankChar(), QLatin1Char(' ')));
    EXPECT_EQ(mask.Stored(edit), c.storedBack);
    EXPECT_EQ(mask.IsEmpty(edit), c.empty);
    EXPECT_EQ(mask.IsFilled(edit), c.filled);
}

INSTANTIATE_TEST_SUITE_P(
    EditMask, StoredTextTest,
    ::testing::Values(TStoredCase{DateMask, "12.03.2019", "12.03.2019", "12.03.2019", false, true},
                      TStoredCase{DateMask, "", "__.__.____", "  .  .    ", true, false},
                      TStoredCase{DateMask, "  .  .    ", "__.__.____", "  .  .    ", true, false},
                      // Optional positions left empty become leading blanks of their section.
                      TStoredCase{DateMask, "1.3.2019", "_1._3.2019", " 1. 3.2019", false, true},
                      // A time of day after the date does not spill into the year.
                      TStoredCase{DateMask, "12.03.2019 10:30:00", "12.03.2019", "12.03.2019", false, true},
                      // Without separators each section takes as many characters as it holds.
                      TStoredCase{DateMask, "12032019", "12.03.2019", "12.03.2019", false, true},
                      TStoredCase{DateMask, "12.03.19", "12.03.__19", "12.03.  19", false, false},
                      TStoredCase{DateMask, "ab.03.2019", "__.03.2019", "  .03.2019", false, true},
                      TStoredCase{"99/99/0000;1;_", "1.3.2019", "1_.3_.2019", "1 .3 .2019", false, true},
                      TStoredCase{"!99/99/0000;0;_", "12.03.2019", "12.03.2019", "12032019", false, true},
                      TStoredCase{"!99/99/0000;0;_", "1.3.2019", "_1._3.2019", "1 32019", false, true},
                      TStoredCase{"!99/99/0000;1;*", "", "**.**.****", "  .  .    ", true, false},
                      TStoredCase{TimeMask, "9:30", "_9:30", " 9:30", false, true},
                      TStoredCase{TimeMask, "09:30", "09:30", "09:30", false, true},
                      TStoredCase{TimeMask, "", "__:__", "  :  ", true, false},
                      TStoredCase{TimeMask, ":30", "__:30", "  :30", false, false}));

TEST(EditMask, UnfilledDateReadsAsBlanksAroundTheSeparators) {
    const TEditMask mask(DateMask);
    const QString text = mask.Stored(mask.EmptyText());
    EXPECT_EQ(text, QStringLiteral("  .  .    "));
    EXPECT_EQ(text.trimmed().size(), 4);
    EXPECT_EQ(mask.Length(), 10);
}

struct TKeyCase {
    QString mask;
    QString start; // stored text the box holds before the keys
    int cursor;
    QString keys;
    QString display; // with the blank character
    int cursorAfter;
};

class TypedKeysTest : public ::testing::TestWithParam<TKeyCase> {};

TEST_P(TypedKeysTest, KeysChangeTheEditText) {
    const TKeyCase& c = GetParam();
    const TEditMask mask(c.mask);
    const auto result = typeKeys(mask, mask.FromStored(c.start), c.cursor, c.keys);
    EXPECT_EQ(mask.Display(result.text, true), c.display) << c.keys.toStdString();
    EXPECT_EQ(result.cursor, c.cursorAfter) << c.keys.toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    EditMask, TypedKeysTest,
    ::testing::Values(TKeyCase{DateMask, "", 0, "12032019", "12.03.2019", 10},
                      TKeyCase{DateMask, "", 0, "1203", "12.03.____", 6},
                      // Letters and other characters are refused; the cursor stays.
                      TKeyCase{DateMask, "", 0, "12a-03 ", "12.03.____", 6},
                      // Keys beyond the last position are refused.
                      TKeyCase{DateMask, "", 0, "120320199", "12.03.2019", 10},
                      // The separator closes a section: what was typed moves behind leading blanks.
                      TKeyCase{DateMask, "", 0, "1.3.2019", "_1._3.2019", 10},
                      TKeyCase{DateMask, "", 0, "..2019", "__.__.2019", 10},
                      // Separators typed after a full section are taken as already passed.
                      TKeyCase{DateMask, "", 0, "12.03.2019", "12.03.2019", 10},
                      TKeyCase{DateMask, "", 0, "12.3.2019", "12._3.2019", 10},
                      // The year is required: its separator cannot leave it empty, and there is none.
                      TKeyCase{DateMask, "", 6, "/", "__.__.____", 6},
                      TKeyCase{DateMask, "", 0, "12\b", "1_.__.____", 1},
                      // Backspace steps over the separator to the digit before it.
                      TKeyCase{DateMask, "", 0, "12\b\b", "__.__.____", 0},
                      TKeyCase{DateMask, "", 0, "\b", "__.__.____", 0},
                      TKeyCase{DateMask, "12.03.2019", 10, "\b\b\b\b", "12.03.____", 6},
                      TKeyCase{DateMask, "12.03.2019", 3, "\x7f", "12._3.2019", 3},
                      TKeyCase{DateMask, "12.03.2019", 0, "31", "31.03.2019", 3},
                      // A digit typed on a separator goes to the position after it.
                      TKeyCase{DateMask, "12.03.2019", 2, "5", "12.53.2019", 4},
                      TKeyCase{TimeMask, "", 0, "9:30", "_9:30", 5},
                      TKeyCase{TimeMask, "", 0, "0930", "09:30", 5},
                      // The hour's second digit is required, so a separator typed first is refused.
                      TKeyCase{TimeMask, "", 0, "::", "__:__", 0},
                      // Without "!" the empty positions stay behind the digits, and a required one
                      // cannot be left empty.
                      TKeyCase{"90:00;1;_", "", 0, "9:", "9_:__", 1},
                      TKeyCase{"99/99/0000;1;_", "", 0, "1.", "1_.__.____", 3}));

TEST(EditMask, ClearingASelectionEmptiesOnlyInputPositions) {
    const TEditMask mask(DateMask);
    const QString edit = mask.ClearRange(mask.FromStored("12.03.2019"), 1, 7);
    EXPECT_EQ(mask.Display(edit, true), QStringLiteral("1_.__._019"));
}

TEST(EditMask, SeparatorsFollowTheRegionalSettings) {
    TFormatSettings& fs = FormatSettings();
    const TFormatSettings saved = fs;
    fs.DateSeparator = QLatin1Char('/');
    fs.TimeSeparator = QLatin1Char('.');
    const TEditMask date(DateMask);
    const TEditMask time(TimeMask);
    fs = saved;
    EXPECT_EQ(date.Stored(date.FromStored("12/03/2019")), QStringLiteral("12/03/2019"));
    EXPECT_EQ(date.Stored(date.EmptyText()), QStringLiteral("  /  /    "));
    EXPECT_EQ(time.Display(typeKeys(time, time.EmptyText(), 0, "9.5").text, true), QStringLiteral("_9.5_"));
}

TEST(EditMask, EditTextsOfAnotherLengthAreLaidOutFirst) {
    const TEditMask mask(DateMask);
    EXPECT_TRUE(mask.IsEmpty(QString()));
    EXPECT_FALSE(mask.IsFilled(QString()));
    EXPECT_EQ(mask.Display(QString(), true), QStringLiteral("__.__.____"));
    EXPECT_EQ(mask.Display(QStringLiteral("1.3.2019"), false), QStringLiteral(" 1. 3.2019"));
    EXPECT_EQ(mask.Display(mask.TypeKey(QString(), 0, QLatin1Char('5')).text, true),
              QStringLiteral("5_.__.____"));
    EXPECT_FALSE(mask.Backspace(QStringLiteral("1"), 5).text.isEmpty());
}

TEST(EditMask, WithoutAMaskTextPassesUnchanged) {
    const TEditMask mask;
    EXPECT_FALSE(mask.IsMasked());
    EXPECT_EQ(mask.FromStored("Иванов 12"), QStringLiteral("Иванов 12"));
    EXPECT_EQ(mask.Stored("Иванов 12"), QStringLiteral("Иванов 12"));
    EXPECT_EQ(mask.Display("a b", true), QStringLiteral("a b"));
}

} // namespace
