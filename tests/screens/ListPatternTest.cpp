#include "ListPattern.h"

#include "ui/DBGrid.h"

#include <QAction>
#include <QDialog>
#include <QLineEdit>
#include <QTest>
#include <QWindow>

void ListPattern::SetUp() {
    AllScreensFixture::SetUp();
    ds = open(screen());
}

QString ListPattern::lastStored(const QString& expression) {
    return db
        .Scalar(QStringLiteral("SELECT %1 FROM %2 ORDER BY id DESC LIMIT 1").arg(expression, screen().Table))
        .toString();
}

void fill(QWidget& window, const QList<TFill>& valid, const QList<TFill>& changes) {
    for (TFill box : valid) {
        for (const TFill& change : changes)
            if (change.Box == box.Box)
                box.Text = change.Text;
        if (!box.Box.startsWith(QLatin1String("cb")))
            ScreensFixture::type(window, box.Box, box.Text);
        else if (!box.Text.isEmpty())
            ScreensFixture::choose(window, box.Box, box.Text);
    }
}

std::string caseName(const char* name) {
    std::string result;
    for (const char* c = name; *c; ++c)
        if (std::isalnum(static_cast<unsigned char>(*c)))
            result += *c;
    return result;
}

TScreenCase screenCase(const QString& name) {
    for (TScreenCase (*screen)() : {employeesScreen, routesScreen, clientsScreen, ticketTypesScreen,
                                    airlinersScreen, flightsScreen, salesScreen}) {
        TScreenCase found = screen();
        if (name == QLatin1String(found.Name))
            return found;
    }
    ADD_FAILURE() << "no screen " << name.toStdString();
    return {};
}

TEST_P(ListPattern, AddStoresTheRecordAndClosesTheEditWindow) {
    const int before = count(screen().Table);
    dialogs.onModal(screen().EditWindow, [&](QDialog& w) {
        fill(w, screen().Valid);
        click(w, screen().SaveButton);
        EXPECT_FALSE(w.isVisible());
    });
    click(*list, QStringLiteral("tbtnAdd"));
    ASSERT_EQ(dialogs.modals().size(), 1);
    EXPECT_EQ(dialogs.modals()[0].Name, screen().EditWindow);
    EXPECT_EQ(shown(), QStringList());
    EXPECT_EQ(count(screen().Table), before + 1);
    EXPECT_EQ(lastStored(screen().KeyField), screen().keyValue());
    if (!screen().StoredAs.isEmpty()) {
        EXPECT_EQ(lastStored(screen().StoredAs), screen().StoredText);
    }
    EXPECT_EQ(ds->State(), TDataSetState::Browse);
}

TEST_P(ListPattern, EditChangesTheCurrentRecordOnly) {
    if (!screen().Editable)
        GTEST_SKIP() << "its records are never edited";
    ds->First();
    const int id = ds->FieldByName(QStringLiteral("id"))->AsInteger();
    const int before = count(screen().Table);
    dialogs.onModal(screen().EditWindow, [&](QDialog& w) {
        fill(w, {screen().Valid[0]});
        click(w, screen().SaveButton);
    });
    click(*list, QStringLiteral("tbtnEdit"));
    EXPECT_EQ(shown(), QStringList());
    EXPECT_EQ(count(screen().Table), before);
    EXPECT_EQ(db.Scalar(QStringLiteral("SELECT %1 FROM %2 WHERE id = %3")
                            .arg(screen().KeyField, screen().Table)
                            .arg(id))
                  .toString(),
              screen().keyValue());
}

// A list whose records are never edited offers no edit command, and a double
// click on a row opens nothing.
TEST_P(ListPattern, DoubleClickOnARowEditsItWhereRecordsAreEditable) {
    EXPECT_EQ(list->findChild<QWidget*>(QStringLiteral("tbtnEdit")) != nullptr, screen().Editable);
    list->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(list.get()));
    auto* grid = list->findChild<TDBGrid*>();
    ASSERT_NE(grid, nullptr);
    const QRect cell = grid->visualRect(grid->model()->index(1, 0));
    ASSERT_TRUE(cell.isValid());
    // A double click is a click followed by the second press.
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, Qt::NoModifier, cell.center());
    QTest::mouseDClick(grid->viewport(), Qt::LeftButton, Qt::NoModifier, cell.center());
    list->hide();
    EXPECT_EQ(ds->RecNo(), 2);
    EXPECT_EQ(ds->State(), TDataSetState::Browse);
    if (!screen().Editable) {
        EXPECT_EQ(list->findChild<QAction*>(QStringLiteral("mnuEdit")), nullptr);
        EXPECT_TRUE(dialogs.modals().isEmpty());
        return;
    }
    ASSERT_EQ(dialogs.modals().size(), 1);
    EXPECT_EQ(dialogs.modals()[0].Name, screen().EditWindow);
}

TEST_P(ListPattern, TheEditWindowOpensOnTheFirstControlOfItsTabOrder) {
    if (screen().FirstFocus.isEmpty())
        GTEST_SKIP() << "the tab order starts with a chooser";
    QStringList focused;
    dialogs.onModal(screen().EditWindow, [&](QDialog& w) {
        focused << (w.focusWidget() ? w.focusWidget()->objectName() : QString());
        // Left on a box, the focus must not stay there for the next showing.
        find<QWidget>(w, screen().Valid.back().Box)->setFocus();
    });
    ds->First();
    click(*list, QStringLiteral("tbtnEdit"));
    click(*list, QStringLiteral("tbtnEdit"));
    EXPECT_EQ(focused, QStringList({screen().FirstFocus, screen().FirstFocus}));
}

// The hints a window manager reads: a dialog with a title and a close box, and
// nothing it could add by default, since CustomizeWindowHint makes them literal.
TEST_P(ListPattern, TheEditWindowAsksForACloseBoxOnly) {
    Qt::WindowFlags flags;
    Qt::WindowType type = Qt::Widget;
    dialogs.onModal(screen().EditWindow, [&](QDialog& w) {
        flags = w.windowHandle()->flags();
        type = w.windowHandle()->type();
    });
    click(*list, QStringLiteral("tbtnAdd"));
    EXPECT_EQ(type, Qt::Dialog);
    for (const Qt::WindowType wanted :
         {Qt::CustomizeWindowHint, Qt::WindowTitleHint, Qt::WindowCloseButtonHint})
        EXPECT_TRUE(flags.testFlag(wanted)) << wanted;
    for (const Qt::WindowType unwanted : {Qt::WindowMinimizeButtonHint, Qt::WindowMaximizeButtonHint,
                                          Qt::WindowContextHelpButtonHint, Qt::WindowShadeButtonHint})
        EXPECT_FALSE(flags.testFlag(unwanted)) << unwanted;
}

TEST_P(ListPattern, DeleteAsksAndOnlyYesDeletes) {
    ds->First();
    const int id = ds->FieldByName(QStringLiteral("id"))->AsInteger();
    const int before = count(screen().Table);
    dialogs.answer(TMsgButton::No);
    click(*list, QStringLiteral("tbtnDel"));
    EXPECT_EQ(count(screen().Table), before);
    EXPECT_EQ(ds->FieldByName(QStringLiteral("id"))->AsInteger(), id);
    dialogs.answer(TMsgButton::Yes);
    click(*list, QStringLiteral("tbtnDel"));
    EXPECT_EQ(count(screen().Table), before - 1);
    EXPECT_EQ(db.Scalar(QStringLiteral("SELECT COUNT(*) FROM %1 WHERE id = %2").arg(screen().Table).arg(id)),
              0);
    ASSERT_EQ(dialogs.messages().size(), 2);
    for (const TMessageBox& box : dialogs.messages()) {
        EXPECT_EQ(box.Kind, TMsgKind::Confirmation);
        EXPECT_EQ(box.Text, QStringLiteral("Вы действительно хотите удалить?"));
        EXPECT_EQ(box.Title, QStringLiteral("Удаление"));
    }
}

// An untouched new record has nothing to save, unless the data module filled
// in defaults: then closing asks, and Yes runs the form check, which fails and
// keeps the window open; closing again with No drops the record.
TEST_P(ListPattern, AddThenCloseAddsNothing) {
    const QString question = QStringLiteral("Были сделаны изменения. Хотите сохранить?");
    for (const TMsgButton answer : {TMsgButton::No, TMsgButton::Yes}) {
        SCOPED_TRACE(answer == TMsgButton::Yes ? "yes" : "no");
        dialogs.clear();
        const int before = count(screen().Table);
        const bool checkFails = screen().ModifiedOnAdd && answer == TMsgButton::Yes;
        dialogs.onModal(screen().EditWindow, [&](QDialog& w) {
            if (screen().ModifiedOnAdd)
                dialogs.answer(answer);
            click(w, screen().CloseButton);
            EXPECT_EQ(w.isVisible(), checkFails);
            if (checkFails) {
                dialogs.answer(TMsgButton::No);
                click(w, screen().CloseButton);
                EXPECT_FALSE(w.isVisible());
            }
        });
        click(*list, QStringLiteral("tbtnAdd"));
        QStringList expected;
        if (screen().ModifiedOnAdd)
            expected << question;
        if (checkFails)
            expected << screen().FirstCheck << question;
        EXPECT_EQ(shown(), expected);
        EXPECT_EQ(count(screen().Table), before);
        EXPECT_EQ(ds->State(), TDataSetState::Browse);
    }
}

TEST_P(ListPattern, ClosingWithChangesAsksToSave) {
    struct TCase {
        const char* Name;
        TMsgButton Answer;
        bool Complete; // every box filled, or the first one left empty
        QStringList Expected;
        int Added;
    };
    const QString question = QStringLiteral("Были сделаны изменения. Хотите сохранить?");
    // A save that fails keeps the window open with what was typed: the user
    // puts it right and closes again, answering Yes, or drops it with No.
    const TCase cases[] = {
        {"yes, the save passes", TMsgButton::Yes, true, {question}, 1},
        {"yes, the check fails, then no",
         TMsgButton::Yes,
         false,
         {question, screen().FirstCheck, question},
         0},
        {"no", TMsgButton::No, true, {question}, 0},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        dialogs.clear();
        const int before = count(screen().Table);
        dialogs.onModal(screen().EditWindow, [&](QDialog& w) {
            fill(w, screen().Valid, c.Complete ? QList<TFill>{} : QList<TFill>{{screen().Valid[0].Box, {}}});
            dialogs.answer(c.Answer);
            click(w, screen().CloseButton);
            if (!c.Complete) {
                EXPECT_TRUE(w.isVisible());
                EXPECT_EQ(ds->State(), TDataSetState::Insert);
                dialogs.answer(TMsgButton::No);
                click(w, screen().CloseButton);
            }
            EXPECT_FALSE(w.isVisible());
        });
        click(*list, QStringLiteral("tbtnAdd"));
        EXPECT_EQ(shown(), c.Expected);
        EXPECT_EQ(dialogs.messages().constFirst().Title, QStringLiteral("Сохранение"));
        EXPECT_EQ(count(screen().Table), before + c.Added);
        EXPECT_EQ(ds->State(), TDataSetState::Browse);
    }
}

TEST_P(ListPattern, ASaveTheDatabaseRefusesIsToldAndTheRecordKept) {
    db.Exec({QStringLiteral("CREATE TRIGGER refuse BEFORE INSERT ON %1 BEGIN SELECT RAISE(ABORT, 'no'); END")
                 .arg(screen().Table)});
    const int before = count(screen().Table);
    const QString failure = QStringLiteral("Произозла ошибка сохранения данных");
    dialogs.onModal(screen().EditWindow, [&](QDialog& w) {
        fill(w, screen().Valid);
        click(w, screen().SaveButton);
        EXPECT_TRUE(w.isVisible());
        EXPECT_EQ(ds->State(), TDataSetState::Insert);
        EXPECT_EQ(ds->FieldByName(screen().KeyField)->AsString(), screen().keyValue());
        // Closing and saving fails the same way, and the record stays open for
        // another try; closing with No drops it.
        dialogs.answer(TMsgButton::Yes);
        click(w, screen().CloseButton);
        EXPECT_TRUE(w.isVisible());
        EXPECT_EQ(ds->FieldByName(screen().KeyField)->AsString(), screen().keyValue());
        dialogs.answer(TMsgButton::No);
        click(w, screen().CloseButton);
        EXPECT_FALSE(w.isVisible());
    });
    click(*list, QStringLiteral("tbtnAdd"));
    const QString question = QStringLiteral("Были сделаны изменения. Хотите сохранить?");
    EXPECT_EQ(shown(), QStringList({failure, question, failure, question}));
    EXPECT_EQ(dialogs.messages()[0].Title, QStringLiteral("Ошибка записи"));
    EXPECT_EQ(dialogs.messages()[0].Kind, TMsgKind::Information);
    EXPECT_EQ(count(screen().Table), before);
    EXPECT_EQ(ds->State(), TDataSetState::Browse);
}

TEST_P(ListPattern, EditAndDeleteOnAnEmptyListAreRefused) {
    db.Exec({QStringLiteral("DELETE FROM %1").arg(screen().Table)});
    ds->Close();
    ds->Open();
    if (screen().Editable)
        click(*list, QStringLiteral("tbtnEdit"));
    click(*list, QStringLiteral("tbtnDel"));
    const QString refusal = QStringLiteral("Отсутствуют выделенные записи.");
    const QStringList refusals(screen().Editable ? 2 : 1, refusal);
    EXPECT_EQ(shown(), refusals);
    EXPECT_EQ(shown(TMsgKind::Error), refusals);
    EXPECT_TRUE(dialogs.modals().isEmpty());
}

TEST_P(ListPattern, SortDirectionChosenBeforeAndAfterTheField) {
    auto* asc = list->findChild<QAction*>(QStringLiteral("mnuOrderAsc"));
    auto* desc = list->findChild<QAction*>(QStringLiteral("mnuOrderDesc"));
    if (screen().SortItem.isEmpty()) {
        EXPECT_EQ(list->findChild<QObject*>(QStringLiteral("mnuSort")), nullptr);
        EXPECT_EQ(asc, nullptr);
        return;
    }
    ASSERT_TRUE(asc && desc);
    EXPECT_TRUE(asc->isChecked());
    const QString initial = ds->Sort();
    click(*list, screen().SortItem);
    EXPECT_EQ(ds->Sort(), screen().SortField);
    ds->SetSort(initial);
    click(*list, QStringLiteral("mnuOrderDesc"));
    EXPECT_EQ(ds->Sort(), screen().SortField + QStringLiteral(" DESC"));
    EXPECT_TRUE(desc->isChecked());
    EXPECT_FALSE(asc->isChecked());
    click(*list, QStringLiteral("mnuOrderAsc"));
    EXPECT_EQ(ds->Sort(), screen().SortField + QStringLiteral(" ASC"));
    EXPECT_TRUE(asc->isChecked());
    EXPECT_FALSE(desc->isChecked());
    auto* item = list->findChild<QAction*>(screen().SortItem);
    EXPECT_FALSE(item->isCheckable());
    EXPECT_EQ(item->toolTip(), screen().SortField);
}

TEST_P(ListPattern, DirectionFirstOnlyMovesTheCheckMarks) {
    if (screen().SortItem.isEmpty()) {
        EXPECT_EQ(list->findChild<QObject*>(QStringLiteral("mnuOrderDesc")), nullptr);
        return;
    }
    const QString initial = ds->Sort();
    click(*list, QStringLiteral("mnuOrderDesc"));
    EXPECT_EQ(ds->Sort(), initial);
    click(*list, screen().SortItem);
    EXPECT_EQ(ds->Sort(), screen().SortField + QStringLiteral(" DESC"));
}

TEST_P(ListPattern, ResetShowsEveryRecordAndEmptiesTheBoxes) {
    if (screen().SearchBox.isEmpty()) {
        EXPECT_EQ(list->findChild<QObject*>(QStringLiteral("GroupBox2")), nullptr);
        return;
    }
    const int all = ds->RecordCount();
    type(*list, screen().SearchBox, screen().SearchText);
    click(*list, QStringLiteral("btnSearch"));
    EXPECT_EQ(ds->RecordCount(), 0);
    click(*list, QStringLiteral("btnSearchCancel"));
    EXPECT_EQ(ds->RecordCount(), all);
    EXPECT_FALSE(ds->Filtered());
    EXPECT_TRUE(find<QLineEdit>(*list, screen().SearchBox)->text().isEmpty());
}

TEST_P(FormCheck, MessagesInTheirOrder) {
    const TCheckCase& check = GetParam();
    TDataSet* ds = open(check.Screen);
    const int before = count(check.Screen.Table);
    dialogs.onModal(check.Screen.EditWindow, [&](QDialog& w) {
        fill(w, check.Screen.Valid, check.Changes);
        click(w, check.Screen.SaveButton);
        EXPECT_EQ(w.isVisible(), !check.Expected.isEmpty());
    });
    click(*list, QStringLiteral("tbtnAdd"));
    EXPECT_EQ(told(), check.Expected);
    if (!check.Expected.isEmpty()) {
        const auto last =
            std::find_if(dialogs.messages().crbegin(), dialogs.messages().crend(),
                         [](const TMessageBox& box) { return box.Kind == TMsgKind::Information; });
        ASSERT_NE(last, dialogs.messages().crend());
        EXPECT_EQ(last->Title, QStringLiteral("Сообщение"));
    }
    EXPECT_EQ(count(check.Screen.Table), before + (check.Expected.isEmpty() ? 1 : 0));
    EXPECT_EQ(ds->State(), TDataSetState::Browse);
}

INSTANTIATE_TEST_SUITE_P(Screens, ListPattern,
                         ::testing::Values(employeesScreen(), routesScreen(), clientsScreen(),
                                           ticketTypesScreen(), airlinersScreen(), flightsScreen(),
                                           salesScreen()),
                         [](const auto& info) { return caseName(info.param.Name); });
