#include "framework/CrudController.h"

#include "EmployeeTable.h"
#include "data/Exception.h"
#include "tests/support/TestDialogService.h"

#include <gtest/gtest.h>

namespace {

const QString NoRecord = QStringLiteral("Отсутствуют выделенные записи");
const QString ReadOnly = QStringLiteral("База данных доступна только для чтения");

const QList<QStringList> ThreePeople{{QStringLiteral("Петров"), QStringLiteral("Антон")},
                                     {QStringLiteral("Иванов"), QStringLiteral("Иван")},
                                     {QStringLiteral("Сидоров"), QStringLiteral("Олег")}};

enum class TOperation { add, edit, Delete };

struct TGuardCase {
    const char* name;
    bool filled;
    bool readOnly;
    TOperation operation;
    QString refusal;
};

class GuardRefusal : public ::testing::TestWithParam<TGuardCase> {};

// A refused guard ends the action before anything changes: no question is
// asked, the dataset stays in browse state on the record it was on.
TEST_P(GuardRefusal, RefusesBeforeTouchingTheDataset) {
    const TGuardCase& c = GetParam();
    TEmployeeTable people(c.filled ? ThreePeople : QList<QStringList>{}, c.readOnly);
    TCrudController crud(&people.tbl);
    if (c.filled) {
        people.tbl.SetRecNo(2);
    }
    const int recNo = people.tbl.RecNo();
    TTestDialogService dialogs;
    try {
        switch (c.operation) {
        case TOperation::add:
            crud.add();
            break;
        case TOperation::edit:
            crud.edit();
            break;
        case TOperation::Delete:
            crud.Delete();
            break;
        }
        FAIL() << "not refused";
    } catch (const EDatabaseError& e) {
        EXPECT_EQ(e.Message(), c.refusal);
    }
    EXPECT_TRUE(dialogs.messages().isEmpty());
    EXPECT_EQ(people.tbl.State(), TDataSetState::Browse);
    EXPECT_EQ(people.tbl.RecNo(), recNo);
    EXPECT_EQ(people.tbl.RecordCount(), c.filled ? 3 : 0);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, GuardRefusal,
    ::testing::Values(TGuardCase{"EditEmpty", false, false, TOperation::edit, NoRecord},
                      TGuardCase{"DeleteEmpty", false, false, TOperation::Delete, NoRecord},
                      TGuardCase{"EditEmptyReadOnly", false, true, TOperation::edit, NoRecord},
                      TGuardCase{"DeleteEmptyReadOnly", false, true, TOperation::Delete, NoRecord},
                      TGuardCase{"AddReadOnly", false, true, TOperation::add, ReadOnly},
                      TGuardCase{"EditReadOnly", true, true, TOperation::edit, ReadOnly},
                      TGuardCase{"DeleteReadOnly", true, true, TOperation::Delete, ReadOnly}),
    [](const auto& info) { return info.param.name; });

class CrudOnTable : public ::testing::Test {
protected:
    TEmployeeTable people{ThreePeople};
    TCrudController crud{&people.tbl};
    TTestDialogService dialogs;
};

TEST_F(CrudOnTable, DeleteAnsweredNoKeepsTheRecordCurrent) {
    people.tbl.SetRecNo(2);
    dialogs.answer(TMsgButton::No);
    crud.Delete();
    ASSERT_EQ(dialogs.messages().size(), 1);
    const TMessageBox& box = dialogs.messages()[0];
    EXPECT_EQ(box.Kind, TMsgKind::Confirmation);
    EXPECT_EQ(box.Title, QStringLiteral("Удаление"));
    EXPECT_EQ(box.Text, QStringLiteral("Вы действительно хотите удалить?"));
    EXPECT_EQ(box.Buttons, TMsgButton::Yes | TMsgButton::No);
    EXPECT_EQ(box.Icon, TMsgIcon::None);
    EXPECT_EQ(people.tbl.RecNo(), 2);
    EXPECT_EQ(people.fam(), QStringLiteral("Иванов"));
    EXPECT_EQ(people.storedCount(), 3);
}

TEST_F(CrudOnTable, DeleteAnsweredYesRemovesTheStoredRecord) {
    people.tbl.SetRecNo(2);
    dialogs.answer(TMsgButton::Yes);
    crud.Delete();
    EXPECT_EQ(people.surnames(), (QStringList{QStringLiteral("Петров"), QStringLiteral("Сидоров")}));
    EXPECT_EQ(people.storedCount(), 2);
}

TEST_F(CrudOnTable, AddOnAnEmptyTableIsAllowedAndUnmodifiedUntilTyped) {
    TEmployeeTable nobody({});
    TCrudController empty(&nobody.tbl);
    empty.add();
    EXPECT_EQ(nobody.tbl.State(), TDataSetState::Insert);
    EXPECT_FALSE(empty.isModified());
    nobody.tbl.FieldByName(QStringLiteral("fam"))->SetAsString(QStringLiteral("Козлов"));
    EXPECT_TRUE(empty.isModified());
    empty.post();
    EXPECT_EQ(nobody.storedCount(), 1);
}

TEST_F(CrudOnTable, EditPostThenCancelKeepsWhatWasPosted) {
    people.tbl.SetRecNo(1);
    crud.edit();
    people.tbl.FieldByName(QStringLiteral("fam"))->SetAsString(QStringLiteral("Петрова"));
    crud.post();
    crud.cancel();
    EXPECT_EQ(people.tbl.State(), TDataSetState::Browse);
    EXPECT_EQ(people.db.Scalar(QStringLiteral("SELECT fam FROM tblSotrudnik WHERE id = 1")).toString(),
              QStringLiteral("Петрова"));
}

TEST_F(CrudOnTable, CancelDiscardsAPendingInsert) {
    crud.add();
    people.tbl.FieldByName(QStringLiteral("fam"))->SetAsString(QStringLiteral("Козлов"));
    crud.cancel();
    EXPECT_EQ(people.tbl.RecordCount(), 3);
    EXPECT_EQ(people.storedCount(), 3);
}

TEST_F(CrudOnTable, ClearFieldValueEmptiesTheNamedField) {
    people.tbl.SetRecNo(3);
    crud.edit();
    crud.ClearFieldValue(QStringLiteral("names"));
    crud.post();
    EXPECT_TRUE(people.db.Scalar(QStringLiteral("SELECT names FROM tblSotrudnik WHERE id = 3")).isNull());
    EXPECT_THROW(crud.ClearFieldValue(QStringLiteral("nosuch")), EDatabaseError);
}

TEST_F(CrudOnTable, RefreshReadsWhatOthersWrote) {
    people.db.Exec({QStringLiteral("INSERT INTO tblSotrudnik (fam, names) VALUES ('Козлов', 'Пётр')")});
    EXPECT_EQ(people.tbl.RecordCount(), 3);
    crud.refresh();
    EXPECT_TRUE(people.tbl.Active());
    EXPECT_EQ(people.tbl.RecordCount(), 4);
}

TEST_F(CrudOnTable, IsSelectedRecordTellsTheUserOnceWhenNothingIsCurrent) {
    EXPECT_TRUE(crud.IsSelectedRecord());
    EXPECT_TRUE(dialogs.messages().isEmpty());

    TEmployeeTable nobody({});
    TCrudController empty(&nobody.tbl);
    EXPECT_FALSE(empty.IsSelectedRecord());
    ASSERT_EQ(dialogs.messages().size(), 1);
    EXPECT_EQ(dialogs.messages()[0].Kind, TMsgKind::Notice);
    EXPECT_EQ(dialogs.messages()[0].Text, QStringLiteral("Нужно выбрать запись"));
}

TEST_F(CrudOnTable, IsSelectedRecordRefusesARecordBeingInserted) {
    crud.add();
    EXPECT_FALSE(crud.IsSelectedRecord());
    EXPECT_EQ(dialogs.messages().size(), 1);
}

TEST_F(CrudOnTable, SearchGoesThroughTheOwnedFilter) {
    crud.filter.Stop();
    crud.filter.AddParamLike(QStringLiteral("ов"), QStringLiteral("fam"));
    crud.filter.AddParamsQuery(QStringLiteral("Олег"), QStringLiteral("names"), QStringLiteral("="));
    crud.filter.Exec();
    EXPECT_EQ(people.surnames(), QStringList{QStringLiteral("Сидоров")});
}

} // namespace
