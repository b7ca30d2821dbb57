#include "ListPattern.h"

#include "screens/Air.h"
#include "screens/Sotrudnik.h"
#include "ui/DBCheckBox.h"
#include "ui/DBLookupComboBox.h"
#include "ui/MaskEdit.h"

#include <QDialog>

TScreenCase airlinersScreen() {
    return {
        .Name = "airliners",
        .Create =
            [](AllScreensFixture& f) {
                return std::unique_ptr<TListForm>(createForm<TfrmAir>(f.air, f.sotrudnik));
            },
        .DataSet = [](AllScreensFixture& f) -> TDataSet* { return f.air->tbl; },
        .Table = QStringLiteral("tblAir"),
        .EditWindow = QStringLiteral("frmAirEdit"),
        .SaveButton = QStringLiteral("btnSaveGeneral"),
        .Valid = {{QStringLiteral("editBort"), QStringLiteral("RA-89001")},
                  {QStringLiteral("editModel"), QStringLiteral("Суперджет")},
                  {QStringLiteral("editLifeTime"), QStringLiteral("15")},
                  {QStringLiteral("editSeats"), QStringLiteral("98")},
                  {QStringLiteral("editDateCreate"), QStringLiteral("01032019")},
                  {QStringLiteral("cbSotrudnik"), QStringLiteral("Петров Пётр Петрович")}},
        .KeyField = QStringLiteral("bortNum"),
        .FirstCheck = QStringLiteral("Введите бортовой номер самолета"),
        .SortItem = QStringLiteral("mnuSortModel"),
        .SortField = QStringLiteral("model"),
        .SearchBox = QStringLiteral("editModel"),
        .ModifiedOnAdd = true,
        .FirstFocus = QStringLiteral("btnSaveGeneral"),
    };
}

namespace {

const QString NotAnInteger = QStringLiteral("Нужно ввести целое число");
const QString Lifetime = QStringLiteral("Необходимо указать срок эксплуатации в годах");
const QString Seats = QStringLiteral("Необходимо указать количество посадочных мест");
const QString Date = QStringLiteral("Необходимо указать дату ввода в эксплуатацию");

} // namespace

INSTANTIATE_TEST_SUITE_P(
    Airliners, FormCheck,
    ::testing::ValuesIn(checksOf(
        airlinersScreen(),
        {
            {{},
             "tail number empty",
             {{QStringLiteral("editBort"), {}}},
             {QStringLiteral("Введите бортовой номер самолета")}},
            {{},
             "model empty",
             {{QStringLiteral("editModel"), {}}},
             {QStringLiteral("Введите модель самолета")}},
            {{},
             "service life not a number",
             {{QStringLiteral("editLifeTime"), QStringLiteral("abc")}},
             {NotAnInteger, Lifetime}},
            {{}, "service life zero", {{QStringLiteral("editLifeTime"), QStringLiteral("0")}}, {Lifetime}},
            {{},
             "seats with a word",
             {{QStringLiteral("editSeats"), QStringLiteral("150 мест")}},
             {NotAnInteger, Seats}},
            {{}, "seats negative", {{QStringLiteral("editSeats"), QStringLiteral("-4")}}, {Seats}},
            {{}, "date unfilled", {{QStringLiteral("editDateCreate"), {}}}, {Date}},
            {{}, "date half filled", {{QStringLiteral("editDateCreate"), QStringLiteral("0103")}}, {Date}},
            {{},
             "no commander",
             {{QStringLiteral("cbSotrudnik"), {}}},
             {QStringLiteral("Выберите командира авиалайнера")}},
            {{},
             "date before commander",
             {{QStringLiteral("editDateCreate"), {}}, {QStringLiteral("cbSotrudnik"), {}}},
             {Date}},
        })),
    [](const auto& info) { return caseName(info.param.Name); });

class AirlinersScreen : public ScreensFixture {
public:
    void SetUp() override {
        ScreensFixture::SetUp();
        list.reset(createForm<TfrmAir>(air, sotrudnik));
    }
    void TearDown() override { list.reset(); }

    std::unique_ptr<TfrmAir> list;
};

TEST_F(AirlinersScreen, ACommanderAloneFindsHisAirlinersAndStaysUntilReset) {
    choose(*list, QStringLiteral("cbSotrudnik"), QStringLiteral("Аксенов Иван Антонович"));
    click(*list, QStringLiteral("btnSearch"));
    EXPECT_EQ(air->tbl->Filter(), QStringLiteral("sotrudnik_id = '2'"));
    EXPECT_EQ(column(air->tbl, QStringLiteral("bortNum")), QStringList({QStringLiteral("RA-96005")}));
    type(*list, QStringLiteral("editModel"), QStringLiteral("Ту"));
    click(*list, QStringLiteral("btnSearch"));
    EXPECT_EQ(air->tbl->Filter(), QStringLiteral("model LIKE '%Ту%' AND sotrudnik_id = '2'"));
    EXPECT_EQ(air->tbl->RecordCount(), 0);
    click(*list, QStringLiteral("btnSearchCancel"));
    EXPECT_TRUE(find<TDBLookupComboBox>(*list, QStringLiteral("cbSotrudnik"))->Text().isEmpty());
    EXPECT_EQ(air->tbl->RecordCount(), 2);
}

TEST_F(AirlinersScreen, TheEmployeesSearchNarrowsBothCommanderChoosers) {
    std::unique_ptr<TfrmSotrudnik> employees(createForm<TfrmSotrudnik>(sotrudnik));
    type(*employees, QStringLiteral("editFam"), QStringLiteral("Пет"));
    click(*employees, QStringLiteral("btnSearch"));
    EXPECT_EQ(find<TDBLookupComboBox>(*list, QStringLiteral("cbSotrudnik"))->count(), 1);
    dialogs.onModal(QStringLiteral("frmAirEdit"), [&](QDialog& w) {
        auto* chooser = find<TDBLookupComboBox>(w, QStringLiteral("cbSotrudnik"));
        EXPECT_EQ(chooser->count(), 1);
        EXPECT_EQ(chooser->itemText(0), QStringLiteral("Петров Пётр Петрович"));
    });
    click(*list, QStringLiteral("tbtnAdd"));
    click(*employees, QStringLiteral("btnSearchCancel"));
    EXPECT_EQ(find<TDBLookupComboBox>(*list, QStringLiteral("cbSotrudnik"))->count(), 3);
}

TEST_F(AirlinersScreen, ANewAirlinerStartsReady) {
    dialogs.onModal(QStringLiteral("frmAirEdit"), [&](QDialog& w) {
        EXPECT_TRUE(find<TDBCheckBox>(w, QStringLiteral("DBCheckBox1"))->isChecked());
        EXPECT_EQ(find<TMaskEdit>(w, QStringLiteral("editDateCreate"))->Text(), QStringLiteral("  .  .    "));
    });
    click(*list, QStringLiteral("tbtnAdd"));
    EXPECT_EQ(dialogs.modals().size(), 1);
}

TEST_F(AirlinersScreen, TheEditWindowShowsTheCurrentAirliner) {
    locate(air->tbl, 2);
    dialogs.onModal(QStringLiteral("frmAirEdit"), [&](QDialog& w) {
        EXPECT_EQ(w.windowTitle(), QStringLiteral("Редактирование авиалайнера"));
        EXPECT_EQ(find<TMaskEdit>(w, QStringLiteral("editDateCreate"))->Text(), QStringLiteral("20.01.2015"));
        EXPECT_EQ(find<TDBLookupComboBox>(w, QStringLiteral("cbSotrudnik"))->Text(),
                  QStringLiteral("Аксенов Иван Антонович"));
        EXPECT_FALSE(find<TDBCheckBox>(w, QStringLiteral("DBCheckBox1"))->isChecked());
    });
    click(*list, QStringLiteral("mnuEdit"));
    EXPECT_TRUE(shown().isEmpty());
}
