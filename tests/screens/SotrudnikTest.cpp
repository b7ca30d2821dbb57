#include "ListPattern.h"

#include "screens/Sotrudnik.h"

#include <QDialog>
#include <QLineEdit>

TScreenCase employeesScreen() {
    return {
        .Name = "employees",
        .Create =
            [](AllScreensFixture& f) {
                return std::unique_ptr<TListForm>(createForm<TfrmSotrudnik>(f.sotrudnik));
            },
        .DataSet = [](AllScreensFixture& f) -> TDataSet* { return f.sotrudnik->tbl; },
        .Table = QStringLiteral("tblSotrudnik"),
        .EditWindow = QStringLiteral("frmSotrudnikEdit"),
        .SaveButton = QStringLiteral("btnSaveGeneral"),
        .Valid = {{QStringLiteral("editFam"), QStringLiteral("Иванов")},
                  {QStringLiteral("editNames"), QStringLiteral("Иван")},
                  {QStringLiteral("editSubname"), QStringLiteral("Иванович")},
                  {QStringLiteral("editStage"), QStringLiteral("7")},
                  {QStringLiteral("editEmail"), QStringLiteral("Тверь, Советская, 1")},
                  {QStringLiteral("editPhones"), QStringLiteral("+79001112233")}},
        .KeyField = QStringLiteral("fam"),
        .FirstCheck = QStringLiteral("Введите фамилию"),
        .SortItem = QStringLiteral("mnuSortFio"),
        .SortField = QStringLiteral("fam"),
        .SearchBox = QStringLiteral("editFam"),
        .FirstFocus = QStringLiteral("editFam"),
    };
}

INSTANTIATE_TEST_SUITE_P(
    Employees, FormCheck,
    ::testing::ValuesIn(checksOf(
        employeesScreen(),
        {
            {{}, "surname empty", {{QStringLiteral("editFam"), {}}}, {QStringLiteral("Введите фамилию")}},
            {{}, "first name empty", {{QStringLiteral("editNames"), {}}}, {QStringLiteral("Введите имя")}},
            {{},
             "patronymic empty",
             {{QStringLiteral("editSubname"), {}}},
             {QStringLiteral("Введите отчество")}},
            {{},
             "all names empty",
             {{QStringLiteral("editFam"), {}},
              {QStringLiteral("editNames"), {}},
              {QStringLiteral("editSubname"), {}}},
             {QStringLiteral("Введите фамилию")}},
            {{}, "a blank surname is content", {{QStringLiteral("editFam"), QStringLiteral(" ")}}, {}},
            {{},
             "stage, address and phone are not checked",
             {{QStringLiteral("editStage"), {}},
              {QStringLiteral("editEmail"), {}},
              {QStringLiteral("editPhones"), {}}},
             {}},
        })),
    [](const auto& info) { return caseName(info.param.Name); });

class EmployeesScreen : public ScreensFixture {
public:
    void SetUp() override {
        ScreensFixture::SetUp();
        list.reset(createForm<TfrmSotrudnik>(sotrudnik));
    }
    void TearDown() override { list.reset(); }

    std::unique_ptr<TfrmSotrudnik> list;
};

TEST_F(EmployeesScreen, TheNumberBoxIsHiddenAndTheOthersSearchInOrder) {
    EXPECT_TRUE(find<QLineEdit>(*list, QStringLiteral("editKod"))->isHidden());
    type(*list, QStringLiteral("editFam"), QStringLiteral("ов"));
    type(*list, QStringLiteral("editNames"), QStringLiteral("ёт"));
    type(*list, QStringLiteral("editSubname"), QStringLiteral("ич"));
    click(*list, QStringLiteral("btnSearch"));
    EXPECT_EQ(sotrudnik->tbl->Filter(),
              QStringLiteral("fam LIKE '%ов%' AND names LIKE '%ёт%' AND subname LIKE '%ич%'"));
    EXPECT_EQ(column(sotrudnik->tbl, QStringLiteral("fam")), QStringList({QStringLiteral("Петров")}));
}

TEST_F(EmployeesScreen, ASurnameFragmentFindsEverySurnameContainingIt) {
    type(*list, QStringLiteral("editFam"), QStringLiteral("ов"));
    click(*list, QStringLiteral("btnSearch"));
    EXPECT_EQ(column(sotrudnik->tbl, QStringLiteral("fam")),
              QStringList({QStringLiteral("Аксенов"), QStringLiteral("Петров"), QStringLiteral("Сидоров")}));
    type(*list, QStringLiteral("editFam"), QStringLiteral("Пет"));
    click(*list, QStringLiteral("btnSearch"));
    EXPECT_EQ(column(sotrudnik->tbl, QStringLiteral("fam")), QStringList({QStringLiteral("Петров")}));
}

TEST_F(EmployeesScreen, ThePhoneBoxTakesDigitsAndALeadingPlusOnly) {
    dialogs.onModal(QStringLiteral("frmSotrudnikEdit"), [&](QDialog& w) {
        type(w, QStringLiteral("editPhones"), QStringLiteral("+7a+90-1"));
        EXPECT_EQ(find<QLineEdit>(w, QStringLiteral("editPhones"))->text(), QStringLiteral("+7901"));
    });
    click(*list, QStringLiteral("tbtnAdd"));
    ASSERT_EQ(dialogs.modals().size(), 1);
}

TEST_F(EmployeesScreen, TheEditWindowShowsTheCurrentEmployee) {
    locate(sotrudnik->tbl, 1);
    dialogs.onModal(QStringLiteral("frmSotrudnikEdit"), [&](QDialog& w) {
        EXPECT_EQ(w.windowTitle(), QStringLiteral("Редактирование сотрудника"));
        EXPECT_EQ(find<QLineEdit>(w, QStringLiteral("editFam"))->text(), QStringLiteral("Петров"));
        EXPECT_EQ(find<QLineEdit>(w, QStringLiteral("editStage"))->text(), QStringLiteral("12"));
        EXPECT_EQ(find<QLineEdit>(w, QStringLiteral("editEmail"))->text(), QStringLiteral("Тверь"));
    });
    click(*list, QStringLiteral("mnuEdit"));
    EXPECT_EQ(dialogs.modals().size(), 1);
    EXPECT_TRUE(shown().isEmpty());
}
