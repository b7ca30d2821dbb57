#include "ListPattern.h"

#include "screens/Clients.h"

#include <QDialog>
#include <QLineEdit>

TScreenCase clientsScreen() {
    return {
        .Name = "clients",
        .Create =
            [](AllScreensFixture& f) {
                return std::unique_ptr<TListForm>(createForm<TfrmClients>(f.clients));
            },
        .DataSet = [](AllScreensFixture& f) -> TDataSet* { return f.clients->tbl; },
        .Table = QStringLiteral("tblClients"),
        .EditWindow = QStringLiteral("frmClientsEdit"),
        .SaveButton = QStringLiteral("btnSaveGeneral"),
        .Valid = {{QStringLiteral("editFam"), QStringLiteral("Кузнецова")},
                  {QStringLiteral("editNames"), QStringLiteral("Анна")},
                  {QStringLiteral("editSubname"), QStringLiteral("Сергеевна")},
                  {QStringLiteral("editSeria"), QStringLiteral("4610")},
                  {QStringLiteral("editEmail"), QStringLiteral("Казань")},
                  {QStringLiteral("editPhones"), QStringLiteral("89001234567")},
                  {QStringLiteral("editNum"), QStringLiteral("123987")}},
        .KeyField = QStringLiteral("fam"),
        .FirstCheck = QStringLiteral("Введите фамилию"),
        .SortItem = QStringLiteral("mnuSortNum"),
        .SortField = QStringLiteral("passport_num"),
        .SearchBox = QStringLiteral("editNumber"),
        .FirstFocus = QStringLiteral("editFam"),
    };
}

namespace {

const QString Seria = QStringLiteral("Введите серию паспорта в формате ХХХХ");
const QString Number = QStringLiteral("Введите № паспорта в формате ХХХХХХ");

} // namespace

INSTANTIATE_TEST_SUITE_P(
    Clients, FormCheck,
    ::testing::ValuesIn(checksOf(
        clientsScreen(),
        {
            {{}, "surname empty", {{QStringLiteral("editFam"), {}}}, {QStringLiteral("Введите фамилию")}},
            {{}, "first name empty", {{QStringLiteral("editNames"), {}}}, {QStringLiteral("Введите имя")}},
            {{},
             "patronymic empty",
             {{QStringLiteral("editSubname"), {}}},
             {QStringLiteral("Введите отчество")}},
            {{},
             "names before the passport",
             {{QStringLiteral("editNames"), {}}, {QStringLiteral("editSeria"), {}}},
             {QStringLiteral("Введите имя")}},
            {{}, "series of three", {{QStringLiteral("editSeria"), QStringLiteral("450")}}, {Seria}},
            {{}, "series empty", {{QStringLiteral("editSeria"), {}}}, {Seria}},
            {{}, "number of five", {{QStringLiteral("editNum"), QStringLiteral("12345")}}, {Number}},
            {{},
             "series before number",
             {{QStringLiteral("editSeria"), QStringLiteral("1")},
              {QStringLiteral("editNum"), QStringLiteral("1")}},
             {Seria}},
            {{},
             "only the lengths count",
             {{QStringLiteral("editSeria"), QStringLiteral("AB12")},
              {QStringLiteral("editNum"), QStringLiteral("12345Z")}},
             {}},
            {{},
             "address and phone are not checked",
             {{QStringLiteral("editEmail"), {}}, {QStringLiteral("editPhones"), {}}},
             {}},
        })),
    [](const auto& info) { return caseName(info.param.Name); });

class ClientsScreen : public ScreensFixture {
public:
    void SetUp() override {
        ScreensFixture::SetUp();
        list.reset(createForm<TfrmClients>(clients));
    }
    void TearDown() override { list.reset(); }

    std::unique_ptr<TfrmClients> list;
};

TEST_F(ClientsScreen, ThePassportTermsComeAfterTheNames) {
    EXPECT_TRUE(find<QLineEdit>(*list, QStringLiteral("editKod"))->isHidden());
    type(*list, QStringLiteral("editNumber"), QStringLiteral("123"));
    type(*list, QStringLiteral("editSeria"), QStringLiteral("01"));
    type(*list, QStringLiteral("editFam"), QStringLiteral("ов"));
    click(*list, QStringLiteral("btnSearch"));
    EXPECT_EQ(clients->tbl->Filter(),
              QStringLiteral("fam LIKE '%ов%' AND passport_seria LIKE '%01%' AND passport_num LIKE '%123%'"));
    EXPECT_EQ(column(clients->tbl, QStringLiteral("fam")), QStringList({QStringLiteral("Белов")}));
}

TEST_F(ClientsScreen, APassportNumberFragmentFindsTheClientsContainingIt) {
    type(*list, QStringLiteral("editNumber"), QStringLiteral("123"));
    click(*list, QStringLiteral("btnSearch"));
    EXPECT_EQ(column(clients->tbl, QStringLiteral("passport_num")),
              QStringList({QStringLiteral("123456"), QStringLiteral("654123")}));
    type(*list, QStringLiteral("editNumber"), QStringLiteral("54"));
    click(*list, QStringLiteral("btnSearch"));
    EXPECT_EQ(column(clients->tbl, QStringLiteral("passport_num")), QStringList({QStringLiteral("654123")}));
}

TEST_F(ClientsScreen, ResetEmptiesAllSixBoxes) {
    type(*list, QStringLiteral("editNames"), QStringLiteral("Олег"));
    type(*list, QStringLiteral("editSeria"), QStringLiteral("4501"));
    click(*list, QStringLiteral("btnSearch"));
    EXPECT_EQ(clients->tbl->RecordCount(), 1);
    click(*list, QStringLiteral("btnSearchCancel"));
    EXPECT_EQ(clients->tbl->RecordCount(), 2);
    for (const char* box : {"editKod", "editFam", "editNames", "editSubname", "editSeria", "editNumber"})
        EXPECT_TRUE(find<QLineEdit>(*list, QString::fromLatin1(box))->text().isEmpty()) << box;
}

TEST_F(ClientsScreen, ThePassportBoxesTakeNoMoreThanTheirFieldsHold) {
    dialogs.onModal(QStringLiteral("frmClientsEdit"), [&](QDialog& w) {
        type(w, QStringLiteral("editSeria"), QStringLiteral("450123"));
        type(w, QStringLiteral("editNum"), QStringLiteral("12345678"));
        EXPECT_EQ(find<QLineEdit>(w, QStringLiteral("editSeria"))->text(), QStringLiteral("4501"));
        EXPECT_EQ(find<QLineEdit>(w, QStringLiteral("editNum"))->text(), QStringLiteral("123456"));
    });
    click(*list, QStringLiteral("tbtnAdd"));
    EXPECT_EQ(dialogs.modals().size(), 1);
}
