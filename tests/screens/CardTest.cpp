#include "ListPattern.h"

#include "screens/Card.h"
#include "ui/DBGrid.h"

#include <QDialog>
#include <QMenuBar>
#include <QTest>

TScreenCase ticketTypesScreen() {
    return {
        .Name = "ticket types",
        .Create =
            [](AllScreensFixture& f) { return std::unique_ptr<TListForm>(createForm<TfrmCard>(f.card)); },
        .DataSet = [](AllScreensFixture& f) -> TDataSet* { return f.card->tbl; },
        .Table = QStringLiteral("tblCard"),
        .EditWindow = QStringLiteral("frmCardEdit"),
        .SaveButton = QStringLiteral("btnSave"),
        .Valid = {{QStringLiteral("editNames"), QStringLiteral("Детский")},
                  {QStringLiteral("editPercent"), QStringLiteral("-20")}},
        .KeyField = QStringLiteral("names"),
        .FirstCheck = QStringLiteral("Необходимо ввести тип билета"),
        .FirstFocus = QStringLiteral("btnSave"),
    };
}

INSTANTIATE_TEST_SUITE_P(
    TicketTypes, FormCheck,
    ::testing::ValuesIn(checksOf(ticketTypesScreen(),
                                 {
                                     {{},
                                      "name empty",
                                      {{QStringLiteral("editNames"), {}}},
                                      {QStringLiteral("Необходимо ввести тип билета")}},
                                     {{}, "markup not checked", {{QStringLiteral("editPercent"), {}}}, {}},
                                 })),
    [](const auto& info) { return caseName(info.param.Name); });

class TicketTypesScreen : public ScreensFixture {
public:
    void SetUp() override {
        ScreensFixture::SetUp();
        list.reset(createForm<TfrmCard>(card));
    }
    void TearDown() override { list.reset(); }

    std::unique_ptr<TfrmCard> list;
};

TEST_F(TicketTypesScreen, EnterAndEscapePressNothingInTheEditWindow) {
    const int before = count(QStringLiteral("tblCard"));
    dialogs.onModal(QStringLiteral("frmCardEdit"), [&](QDialog& w) {
        type(w, QStringLiteral("editNames"), QStringLiteral("Детский"));
        QTest::keyClick(find<QWidget>(w, QStringLiteral("editNames")), Qt::Key_Return);
        QTest::keyClick(find<QWidget>(w, QStringLiteral("btnSave")), Qt::Key_Return);
        EXPECT_TRUE(w.isVisible());
        EXPECT_EQ(count(QStringLiteral("tblCard")), before);
        QTest::keyClick(find<QWidget>(w, QStringLiteral("editNames")), Qt::Key_Escape);
        EXPECT_TRUE(w.isVisible());
        click(w, QStringLiteral("btnSave"));
    });
    click(*list, QStringLiteral("tbtnAdd"));
    EXPECT_TRUE(shown().isEmpty());
    EXPECT_EQ(count(QStringLiteral("tblCard")), before + 1);
}

TEST_F(TicketTypesScreen, TheMenuOnlyClosesAndTheGridSelectsCells) {
    const QList<QAction*> items = list->findChild<QMenuBar*>()->actions();
    ASSERT_EQ(items.size(), 1);
    EXPECT_EQ(items[0]->objectName(), QStringLiteral("mnuClose"));
    EXPECT_EQ(list->findChild<QWidget*>(QStringLiteral("tbtnClose")), nullptr);
    auto* grid = find<TDBGrid>(*list, QStringLiteral("gridSp"));
    EXPECT_EQ(grid->selectionBehavior(), QAbstractItemView::SelectItems);
    list->show();
    // From the very first showing one cell is selected, not the whole first row.
    EXPECT_EQ(grid->selectionModel()->selectedIndexes(), QModelIndexList({grid->model()->index(0, 0)}));
    click(*list, QStringLiteral("mnuClose"));
    EXPECT_FALSE(list->isVisible());
}

TEST_F(TicketTypesScreen, TheToolButtonHandlersRunTheCommands) {
    const int before = count(QStringLiteral("tblCard"));
    list->tbtnAddClick();
    list->tbtnEditClick();
    dialogs.answer(TMsgButton::No);
    list->tbtnDelClick();
    ASSERT_EQ(dialogs.modals().size(), 2);
    EXPECT_EQ(dialogs.modals()[0].Name, QStringLiteral("frmCardEdit"));
    EXPECT_EQ(dialogs.modals()[1].Name, QStringLiteral("frmCardEdit"));
    EXPECT_EQ(shown(), QStringList{QStringLiteral("Вы действительно хотите удалить?")});
    EXPECT_EQ(count(QStringLiteral("tblCard")), before);
}
