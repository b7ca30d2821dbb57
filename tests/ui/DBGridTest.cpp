#include "ControlsFixture.h"

#include "tests/support/TestDialogService.h"
#include "ui/DBGrid.h"

#include <QHeaderView>
#include <QSignalSpy>
#include <QTest>

namespace {

class DBGridTest : public ControlsFixture {
protected:
    void SetUp() override {
        ControlsFixture::SetUp();
        grid.SetDataSource(&airSource);
        grid.SetColumns({{QStringLiteral("id"), QStringLiteral("№ самолета"), 69, Qt::AlignCenter},
                         {QStringLiteral("sotrudnik_id"), QString(), -1, Qt::AlignLeft, false},
                         {QStringLiteral("bortNum"), QStringLiteral("Бортовой №"), 109},
                         {QStringLiteral("sotrudnik.c_fio"), QStringLiteral("Командир"), 187},
                         {QStringLiteral("isActive"), QStringLiteral("Готовность"), -1, Qt::AlignCenter}});
        grid.resize(700, 300);
    }

    QString cell(int row, int column) const { return grid.model()->index(row, column).data().toString(); }

    TDBGrid grid;
};

TEST_F(DBGridTest, ShowsTheVisibleRowsWithTheColumnSettings) {
    QAbstractItemModel* model = grid.model();
    ASSERT_EQ(model->rowCount(), 3);
    ASSERT_EQ(model->columnCount(), 5);
    EXPECT_EQ(cell(0, 0), QStringLiteral("1"));
    EXPECT_EQ(cell(0, 2), QStringLiteral("RA-1"));
    EXPECT_EQ(cell(0, 3), QStringLiteral("Петров Иван"));
    EXPECT_EQ(cell(0, 4), QStringLiteral("Да"));
    EXPECT_EQ(cell(1, 4), QStringLiteral("Нет"));
    EXPECT_EQ(cell(2, 4), QString());
    EXPECT_EQ(cell(2, 3), QString()); // no commander: the lookup is empty
    EXPECT_EQ(model->headerData(2, Qt::Horizontal).toString(), QStringLiteral("Бортовой №"));
    EXPECT_EQ(model->headerData(1, Qt::Horizontal).toString(), QStringLiteral("sotrudnik_id"));
    EXPECT_EQ(model->headerData(2, Qt::Horizontal, Qt::TextAlignmentRole).toInt(), int(Qt::AlignCenter));
    EXPECT_EQ(model->index(0, 0).data(Qt::TextAlignmentRole).toInt(), int(Qt::AlignCenter));
    EXPECT_EQ(model->index(0, 2).data(Qt::TextAlignmentRole).toInt(), int(Qt::AlignLeft | Qt::AlignVCenter));
    EXPECT_FALSE(model->flags(model->index(0, 2)) & Qt::ItemIsEditable);
    EXPECT_TRUE(grid.isColumnHidden(1));
    EXPECT_EQ(grid.columnWidth(0), 69);
    EXPECT_EQ(grid.columnWidth(3), 187);
    EXPECT_GE(grid.columnWidth(4), grid.fontMetrics().horizontalAdvance(QStringLiteral("Готовность")));
}

// A date typed with its time shows whole in a date column of no given width.
TEST_F(DBGridTest, DateColumnWithoutAWidthShowsADateWithItsTime) {
    air.Edit();
    airField("date_create")->SetAsString(QStringLiteral("24.12.2020 10:05:30"));
    air.Post();
    grid.SetColumns({{QStringLiteral("date_create"), QStringLiteral("Дата")}});
    ASSERT_EQ(cell(0, 0), QStringLiteral("24.12.2020 10:05:30"));
    EXPECT_GE(grid.columnWidth(0), grid.sizeHintForIndex(grid.model()->index(0, 0)).width());
}

TEST_F(DBGridTest, FollowsTheCurrentRecordAndMovesIt) {
    EXPECT_EQ(grid.currentIndex().row(), 0);
    air.Next();
    air.Next();
    EXPECT_EQ(grid.currentIndex().row(), 2);
    EXPECT_EQ(grid.model()->headerData(2, Qt::Vertical).toString().size(), 1);
    EXPECT_TRUE(grid.model()->headerData(0, Qt::Vertical).toString().isEmpty());

    grid.setCurrentIndex(grid.model()->index(1, 2));
    EXPECT_EQ(air.RecNo(), 2);
    EXPECT_EQ(airField("bortNum")->AsString(), QStringLiteral("RA-2"));
    grid.setFocus();
    QTest::keyClick(&grid, Qt::Key_Up);
    EXPECT_EQ(air.RecNo(), 1);
    EXPECT_EQ(grid.selectionModel()->selectedRows().size(), 1);
}

// While a record is being added or edited, neither a click, a key nor the
// focus coming back to the grid moves away from it, and nothing is deleted.
TEST_F(DBGridTest, RecordBeingEditedStaysWhateverTheGridIsDoneTo) {
    TTestDialogService dialogs;
    grid.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&grid));
    air.Next();
    for (const bool inserting : {true, false}) {
        SCOPED_TRACE(inserting ? "inserting" : "editing");
        if (inserting)
            air.Append();
        else
            air.Edit();
        airField("bortNum")->SetAsString(QStringLiteral("RA-77"));
        QTest::mouseClick(grid.viewport(), Qt::LeftButton, Qt::NoModifier,
                          grid.visualRect(grid.model()->index(2, 2)).center());
        grid.clearFocus();
        grid.setFocus();
        QTest::keyClick(&grid, Qt::Key_Up);
        dialogs.answer(TMsgButton::Ok);
        QTest::keyClick(&grid, Qt::Key_Delete, Qt::ControlModifier);
        EXPECT_EQ(air.State(), inserting ? TDataSetState::Insert : TDataSetState::Edit);
        EXPECT_EQ(airField("bortNum")->AsString(), QStringLiteral("RA-77"));
        EXPECT_EQ(air.RecordCount(), 3);
        air.Cancel();
        EXPECT_EQ(air.RecNo(), 2);
        EXPECT_EQ(grid.currentIndex().row(), 1);
    }
    EXPECT_EQ(db.Scalar(QStringLiteral("SELECT count(*) FROM tblAir WHERE bortNum = 'RA-77'")).toInt(), 0);
    grid.hide();
}

TEST_F(DBGridTest, ACellGridSelectsOneCellAndStillFollowsTheRecord) {
    grid.setSelectionBehavior(QAbstractItemView::SelectItems);
    const auto selected = [this] { return grid.selectionModel()->selectedIndexes(); };
    QAbstractItemModel* model = grid.model();
    grid.setCurrentIndex(model->index(0, 2));
    air.Next();
    EXPECT_EQ(grid.currentIndex(), model->index(1, 2));
    EXPECT_EQ(selected(), QModelIndexList{model->index(1, 2)});
    grid.setFocus();
    QTest::keyClick(&grid, Qt::Key_Right);
    EXPECT_EQ(air.RecNo(), 2);
    EXPECT_EQ(selected(), QModelIndexList{model->index(1, 3)});
    QTest::keyClick(&grid, Qt::Key_Down);
    EXPECT_EQ(air.RecNo(), 3);
    EXPECT_EQ(selected(), QModelIndexList{model->index(2, 3)});
    air.First();
    EXPECT_EQ(selected(), QModelIndexList{model->index(0, 3)});
}

TEST_F(DBGridTest, NewRecordHasNoRowUntilItIsPosted) {
    air.Next();
    air.Append();
    EXPECT_FALSE(grid.currentIndex().isValid());
    air.Cancel();
    EXPECT_EQ(grid.currentIndex().row(), air.RecNo() - 1);
    air.Append();
    airField("bortNum")->SetAsString(QStringLiteral("RA-4"));
    air.Post();
    ASSERT_EQ(grid.model()->rowCount(), 4);
    EXPECT_EQ(cell(grid.currentIndex().row(), 2), QStringLiteral("RA-4"));
}

TEST_F(DBGridTest, FilterAndSortRebuildTheRowsAndKeepTheColumns) {
    grid.setColumnWidth(2, 150); // as if the user dragged it
    air.SetSort(QStringLiteral("bortNum DESC"));
    EXPECT_EQ(cell(0, 2), QStringLiteral("RA-3"));
    EXPECT_EQ(grid.currentIndex().row(), air.RecNo() - 1);
    air.SetFilter(QStringLiteral("model LIKE '%Ту%'"));
    air.SetFiltered(true);
    ASSERT_EQ(grid.model()->rowCount(), 1);
    EXPECT_EQ(cell(0, 2), QStringLiteral("RA-1"));
    EXPECT_EQ(grid.currentIndex().row(), 0);
    EXPECT_EQ(grid.columnWidth(2), 150);
    EXPECT_EQ(grid.columnWidth(0), 69);
    EXPECT_TRUE(grid.isColumnHidden(1));
    air.Close();
    EXPECT_EQ(grid.model()->rowCount(), 0);
    EXPECT_FALSE(grid.currentIndex().isValid());
}

TEST_F(DBGridTest, CurrentRowShowsTheRecordBeingEditedAndThePostedValues) {
    QSignalSpy changed(grid.model(), &QAbstractItemModel::dataChanged);
    air.Next();
    air.Edit();
    airField("bortNum")->SetAsString(QStringLiteral("RA-22"));
    EXPECT_GE(changed.count(), 1);
    EXPECT_EQ(cell(1, 2), QStringLiteral("RA-22"));
    EXPECT_EQ(cell(0, 2), QStringLiteral("RA-1"));
    air.Post();
    EXPECT_EQ(cell(1, 2), QStringLiteral("RA-22"));
    EXPECT_EQ(db.Scalar(QStringLiteral("SELECT bortNum FROM tblAir WHERE id = 2")).toString(),
              QStringLiteral("RA-22"));
}

TEST_F(DBGridTest, LookupColumnFollowsTheLookedUpDataset) {
    staff.First();
    staff.Edit();
    staff.FieldByName(QStringLiteral("fam"))->SetAsString(QStringLiteral("Сидоров"));
    staff.Post();
    EXPECT_EQ(cell(0, 3), QStringLiteral("Сидоров Иван"));
}

TEST_F(DBGridTest, CtrlDeleteAsksAndDeletesTheCurrentRecord) {
    TTestDialogService dialogs;
    air.Next();
    dialogs.answer(TMsgButton::Cancel);
    QTest::keyClick(&grid, Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_EQ(air.RecordCount(), 3);
    dialogs.answer(TMsgButton::Ok);
    QTest::keyClick(&grid, Qt::Key_Delete, Qt::ControlModifier);
    ASSERT_EQ(dialogs.messages().size(), 2);
    EXPECT_EQ(dialogs.messages()[0].Text, QStringLiteral("Delete record?"));
    EXPECT_EQ(dialogs.messages()[0].Buttons, TMsgButton::Ok | TMsgButton::Cancel);
    EXPECT_EQ(air.RecordCount(), 2);
    EXPECT_EQ(grid.model()->rowCount(), 2);
    EXPECT_EQ(db.Scalar(QStringLiteral("SELECT COUNT(*) FROM tblAir WHERE id = 2")).toInt(), 0);
    // A plain Delete is no delete.
    QTest::keyClick(&grid, Qt::Key_Delete);
    EXPECT_EQ(air.RecordCount(), 2);
}

TEST_F(DBGridTest, CtrlDeleteOnAnEmptyDatasetAsksNothing) {
    TTestDialogService dialogs;
    air.SetFilter(QStringLiteral("bortNum = 'none'"));
    air.SetFiltered(true);
    QTest::keyClick(&grid, Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_TRUE(dialogs.messages().isEmpty());
}

} // namespace
