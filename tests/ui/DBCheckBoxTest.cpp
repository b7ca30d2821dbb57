#include "ControlsFixture.h"

#include "ui/DBCheckBox.h"

#include <QTest>

namespace {

using DBCheckBoxTest = ControlsFixture;

TEST_F(DBCheckBoxTest, FollowsTheBooleanField) {
    TDBCheckBox box(QStringLiteral("Готовность"));
    box.SetDataSource(&airSource);
    box.SetDataField(QStringLiteral("isActive"));
    EXPECT_TRUE(box.isChecked());
    air.Next();
    EXPECT_FALSE(box.isChecked());
    air.Next();
    EXPECT_FALSE(box.isChecked()); // an empty flag reads as false
    air.Prior();
    air.Prior();
    EXPECT_TRUE(box.isChecked());
    air.Append();
    EXPECT_FALSE(box.isChecked());
    airField("isActive")->SetAsBoolean(true); // as a data module's AfterInsert does
    EXPECT_TRUE(box.isChecked());
}

TEST_F(DBCheckBoxTest, ClickingWritesTheFieldAndEditsTheRecord) {
    TDBCheckBox box;
    box.SetDataSource(&airSource);
    box.SetDataField(QStringLiteral("isActive"));
    box.click();
    EXPECT_FALSE(box.isChecked());
    EXPECT_EQ(air.State(), TDataSetState::Edit);
    EXPECT_TRUE(air.Modified());
    EXPECT_FALSE(airField("isActive")->AsBoolean());
    QTest::keyClick(&box, Qt::Key_Space);
    EXPECT_TRUE(box.isChecked());
    EXPECT_TRUE(airField("isActive")->AsBoolean());
    air.Cancel();
    EXPECT_TRUE(box.isChecked());
}

TEST_F(DBCheckBoxTest, ClickChangesNothingWithoutAWritableField) {
    TDBCheckBox box;
    box.SetDataSource(&airSource);
    box.SetDataField(QStringLiteral("isActive"));
    air.Close();
    box.click();
    EXPECT_FALSE(box.isChecked());
    TDBCheckBox unbound;
    unbound.click();
    EXPECT_FALSE(unbound.isChecked());
}

} // namespace
