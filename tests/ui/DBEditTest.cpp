#include "ControlsFixture.h"

#include "ui/DBEdit.h"

#include <QTest>

namespace {

class DBEditTest : public ControlsFixture {
protected:
    void bind(TDBEdit& box, TDataSource& source, const char* field) {
        box.SetDataSource(&source);
        box.SetDataField(QString::fromUtf8(field));
    }
};

TEST_F(DBEditTest, ShowsTheFieldOfTheCurrentRecord) {
    TDBEdit box;
    bind(box, airSource, "bortNum");
    EXPECT_EQ(box.text(), QStringLiteral("RA-1"));
    air.Next();
    EXPECT_EQ(box.text(), QStringLiteral("RA-2"));
    EXPECT_EQ(box.maxLength(), 15);
    EXPECT_FALSE(box.isReadOnly());
    air.Close();
    EXPECT_EQ(box.text(), QString());
    EXPECT_TRUE(box.isReadOnly());
}

TEST_F(DBEditTest, TypingEditsTheRecordAndWritesTheField) {
    TDBEdit box;
    bind(box, airSource, "model");
    box.setCursorPosition(box.text().size());
    typeText(&box, QStringLiteral("М"));
    EXPECT_EQ(air.State(), TDataSetState::Edit);
    EXPECT_TRUE(air.Modified());
    EXPECT_EQ(airField("model")->AsString(), QStringLiteral("Ту-204М"));
    EXPECT_EQ(box.text(), QStringLiteral("Ту-204М"));
    air.Cancel();
    EXPECT_EQ(box.text(), QStringLiteral("Ту-204"));
}

TEST_F(DBEditTest, InsertedRecordStartsEmptyAndTakesTheTypedValues) {
    TDBEdit bort;
    TDBEdit seats;
    bind(bort, airSource, "bortNum");
    bind(seats, airSource, "seats");
    air.Append();
    EXPECT_EQ(bort.text(), QString());
    QTest::keyClicks(&bort, QStringLiteral("RA-9"));
    QTest::keyClicks(&seats, QStringLiteral("150"));
    EXPECT_EQ(bort.text(), QStringLiteral("RA-9")); // writing the seats did not reload the other box wrongly
    air.Post();
    EXPECT_EQ(db.Scalar(QStringLiteral("SELECT seats FROM tblAir WHERE bortNum = 'RA-9'")).toInt(), 150);
}

// A text that is not a number leaves the field empty rather than holding the
// number the box showed before.
TEST_F(DBEditTest, TextThatIsNotAValueLeavesTheFieldEmpty) {
    TDBEdit box;
    bind(box, airSource, "seats");
    box.selectAll();
    typeText(&box, QStringLiteral("150 мест"));
    EXPECT_EQ(box.text(), QStringLiteral("150 мест"));
    EXPECT_TRUE(airField("seats")->IsNull());
    box.selectAll();
    QTest::keyClick(&box, Qt::Key_Backspace);
    EXPECT_TRUE(airField("seats")->IsNull());
    QTest::keyClicks(&box, QStringLiteral("12"));
    EXPECT_EQ(airField("seats")->AsInteger(), 12);
}

TEST_F(DBEditTest, FieldsThatCannotBeWrittenMakeTheBoxReadOnly) {
    TDBEdit id;
    TDBEdit lookup;
    bind(id, airSource, "id");
    bind(lookup, airSource, "sotrudnik.c_fio");
    EXPECT_TRUE(id.isReadOnly());
    EXPECT_TRUE(lookup.isReadOnly());
    EXPECT_EQ(lookup.text(), QStringLiteral("Петров Иван"));
    QTest::keyClicks(&id, QStringLiteral("7"));
    EXPECT_EQ(air.State(), TDataSetState::Browse);
    EXPECT_EQ(id.text(), QStringLiteral("1"));
    TDBEdit missing;
    bind(missing, airSource, "nosuchfield");
    EXPECT_TRUE(missing.isReadOnly());
}

TEST_F(DBEditTest, MaskedDateBoxTakesItsFieldsMask) {
    TDBEdit box;
    bind(box, airSource, "date_create");
    EXPECT_TRUE(box.IsMasked());
    EXPECT_EQ(box.Text(), QStringLiteral("12.03.2019"));
    air.Next();
    EXPECT_EQ(box.Text(), QStringLiteral("  .  .    "));
    EXPECT_EQ(box.text(), QStringLiteral("  .  .    "));
    box.setCursorPosition(0);
    QTest::keyClicks(&box, QStringLiteral("0103"));
    EXPECT_EQ(air.State(), TDataSetState::Edit);
    EXPECT_TRUE(airField("date_create")->IsNull()); // not a date yet
    QTest::keyClicks(&box, QStringLiteral("2019"));
    EXPECT_EQ(airField("date_create")->AsDateTime().date(), QDate(2019, 3, 1));
    EXPECT_EQ(box.Text(), QStringLiteral("01.03.2019"));
    box.setCursorPosition(10);
    for (int i = 0; i < 8; ++i) {
        QTest::keyClick(&box, Qt::Key_Backspace);
    }
    EXPECT_EQ(box.Text(), QStringLiteral("  .  .    "));
    EXPECT_TRUE(airField("date_create")->IsNull());
}

TEST_F(DBEditTest, MaskedTimeBoxShowsTheDisplayFormatAndWritesTheTime) {
    TDBEdit box;
    bind(box, flightSource, "timeStart");
    EXPECT_EQ(box.Text(), QStringLiteral("09:30"));
    box.setCursorPosition(0);
    QTest::keyClicks(&box, QStringLiteral("7:45"));
    EXPECT_EQ(box.Text(), QStringLiteral(" 7:45"));
    EXPECT_EQ(flight.FieldByName(QStringLiteral("timeStart"))->AsDateTime().time(), QTime(7, 45));
    flight.Post();
    EXPECT_EQ(box.Text(), QStringLiteral("07:45"));
}

} // namespace
