#include "ControlsFixture.h"

#include "tests/support/TestDialogService.h"
#include "ui/DBCheckBox.h"
#include "ui/DBEdit.h"
#include "ui/DBGrid.h"
#include "ui/DBLookupComboBox.h"

#include <QFile>
#include <QTest>

namespace {

// The airliners opened again over a database file that may not be written.
class ReadOnlyControlsTest : public ControlsFixture {
protected:
    void SetUp() override {
        ControlsFixture::SetUp();
        air.Close();
        ASSERT_TRUE(QFile::setPermissions(db.Path(), QFileDevice::ReadOwner | QFileDevice::ReadGroup));
        readOnly.Open();
        air.Connection = &readOnly;
        air.Open();
        ASSERT_FALSE(air.CanModify());
    }

    TConnection readOnly{db.Path()};
};

TEST_F(ReadOnlyControlsTest, NoControlStartsEditing) {
    TDBEdit box;
    box.SetDataSource(&airSource);
    box.SetDataField(QStringLiteral("model"));
    EXPECT_TRUE(box.isReadOnly());
    QTest::keyClicks(&box, QStringLiteral("X"));
    EXPECT_EQ(box.text(), QStringLiteral("Ту-204"));

    TDBCheckBox check;
    check.SetDataSource(&airSource);
    check.SetDataField(QStringLiteral("isActive"));
    check.click();
    EXPECT_TRUE(check.isChecked());

    TDBLookupComboBox commander;
    commander.SetListSource(&staffSource);
    commander.SetKeyField(QStringLiteral("id"));
    commander.SetListField(QStringLiteral("c_fio"));
    commander.SetDataSource(&airSource);
    commander.SetDataField(QStringLiteral("sotrudnik_id"));
    QTest::keyClick(&commander, Qt::Key_Down);
    EXPECT_EQ(commander.Text(), QStringLiteral("Петров Иван"));

    TTestDialogService dialogs;
    TDBGrid grid;
    grid.SetDataSource(&airSource);
    grid.SetColumns({{QStringLiteral("bortNum"), QStringLiteral("Бортовой №")}});
    QTest::keyClick(&grid, Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_TRUE(dialogs.messages().isEmpty());

    EXPECT_EQ(air.State(), TDataSetState::Browse);
    EXPECT_EQ(airField("sotrudnik_id")->AsInteger(), 1);
}

} // namespace
