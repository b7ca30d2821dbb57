#include "ControlsFixture.h"

#include "ui/DBLookupComboBox.h"

#include <QSignalSpy>
#include <QTest>

namespace {

class DBLookupComboBoxTest : public ControlsFixture {
protected:
    void list(TDBLookupComboBox& box) {
        box.SetListSource(&staffSource);
        box.SetKeyField(QStringLiteral("id"));
        box.SetListField(QStringLiteral("c_fio"));
    }

    static QStringList items(const QComboBox& box) {
        QStringList texts;
        for (int i = 0; i < box.count(); ++i) {
            texts << box.itemText(i);
        }
        return texts;
    }
};

TEST_F(DBLookupComboBoxTest, UnboundListsTheVisibleRowsAndShowsTheChosenKey) {
    TDBLookupComboBox box;
    list(box);
    EXPECT_EQ(items(box), QStringList({"Петров Иван", "Абрамов Олег", "Яковлев Пётр"}));
    // No choice at start: a null key and no text, although the list has rows.
    EXPECT_TRUE(box.KeyValue().isNull());
    EXPECT_EQ(box.Text(), QString());
    box.SetKeyValue(2);
    EXPECT_EQ(box.Text(), QStringLiteral("Абрамов Олег"));
    box.SetKeyValue(qlonglong(3));
    EXPECT_EQ(box.Text(), QStringLiteral("Яковлев Пётр"));
    box.SetKeyValue(QVariant());
    EXPECT_EQ(box.Text(), QString());
    EXPECT_EQ(box.currentIndex(), -1);
}

TEST_F(DBLookupComboBoxTest, ListFollowsFilterAndSortOfItsDataset) {
    TDBLookupComboBox box;
    list(box);
    box.SetKeyValue(1);
    staff.SetSort(QStringLiteral("fam"));
    EXPECT_EQ(items(box), QStringList({"Абрамов Олег", "Петров Иван", "Яковлев Пётр"}));
    EXPECT_EQ(box.Text(), QStringLiteral("Петров Иван"));
    staff.SetFilter(QStringLiteral("subname = 'Ан'"));
    staff.SetFiltered(true);
    EXPECT_EQ(items(box), QStringList({"Абрамов Олег", "Яковлев Пётр"}));
    // The chosen employee is filtered away: the key stays, the box shows nothing.
    EXPECT_EQ(box.Text(), QString());
    EXPECT_EQ(box.KeyValue().toInt(), 1);
    staff.SetFiltered(false);
    EXPECT_EQ(box.Text(), QStringLiteral("Петров Иван"));
}

TEST_F(DBLookupComboBoxTest, ListShowsChangesOfItsRows) {
    TDBLookupComboBox box;
    list(box);
    box.SetKeyValue(1);
    staff.Edit();
    staff.FieldByName(QStringLiteral("fam"))->SetAsString(QStringLiteral("Сидоров"));
    staff.Post();
    EXPECT_EQ(box.Text(), QStringLiteral("Сидоров Иван"));
    staff.Append();
    staff.FieldByName(QStringLiteral("fam"))->SetAsString(QStringLiteral("Новиков"));
    staff.Post();
    EXPECT_EQ(box.count(), 4);
    EXPECT_EQ(box.Text(), QStringLiteral("Сидоров Иван"));
}

TEST_F(DBLookupComboBoxTest, UserChoiceSetsTheKeyOfAnUnboundBox) {
    TDBLookupComboBox box;
    list(box);
    QSignalSpy chosen(&box, &TDBLookupComboBox::KeyValueChanged);
    box.SetKeyValue(1);
    QTest::keyClick(&box, Qt::Key_Down);
    EXPECT_EQ(box.KeyValue().toInt(), 2);
    EXPECT_EQ(box.Text(), QStringLiteral("Абрамов Олег"));
    EXPECT_EQ(chosen.count(), 1);
    EXPECT_EQ(staff.RecNo(), 1); // choosing does not move the listed dataset
}

TEST_F(DBLookupComboBoxTest, BoundBoxFollowsTheRecordAndWritesTheChosenKey) {
    TDBLookupComboBox box;
    list(box);
    box.SetDataSource(&airSource);
    box.SetDataField(QStringLiteral("sotrudnik_id"));
    EXPECT_EQ(box.Text(), QStringLiteral("Петров Иван"));
    air.Next();
    EXPECT_EQ(box.Text(), QStringLiteral("Яковлев Пётр"));
    air.Next();
    EXPECT_EQ(box.Text(), QString()); // no commander
    EXPECT_TRUE(box.KeyValue().isNull());

    QTest::keyClick(&box, Qt::Key_Down);
    EXPECT_EQ(air.State(), TDataSetState::Edit);
    EXPECT_EQ(airField("sotrudnik_id")->AsInteger(), 1);
    EXPECT_EQ(airField("sotrudnik.c_fio")->AsString(), QStringLiteral("Петров Иван"));
    EXPECT_EQ(box.Text(), QStringLiteral("Петров Иван"));
    air.Post();
    EXPECT_EQ(db.Scalar(QStringLiteral("SELECT sotrudnik_id FROM tblAir WHERE id = 3")).toInt(), 1);
}

TEST_F(DBLookupComboBoxTest, BoundBoxOnANewRecordShowsNoChoice) {
    TDBLookupComboBox box;
    list(box);
    box.SetDataSource(&airSource);
    box.SetDataField(QStringLiteral("sotrudnik_id"));
    air.Append();
    EXPECT_EQ(box.Text(), QString());
    box.SetKeyValue(3);
    EXPECT_EQ(airField("sotrudnik_id")->AsInteger(), 3);
    EXPECT_EQ(box.Text(), QStringLiteral("Яковлев Пётр"));
    air.Cancel();
    EXPECT_EQ(box.Text(), QStringLiteral("Петров Иван"));
}

} // namespace
