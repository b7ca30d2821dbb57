#include "AllScreensFixture.h"

#include "ui/DBGrid.h"
#include "ui/DBLookupComboBox.h"

#include <QAbstractButton>
#include <QDialog>
#include <QLineEdit>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTest>

// A record being added belongs to its edit window: whatever the grid behind it
// does, it is written only by that window's save, and closing the window
// without saving writes nothing. Each of the seven list windows is driven the
// way the fault showed itself: a row of the grid clicked, "Добавить", a click
// on another row of the grid while the edit window is open, the window closed
// without saving, "Добавить" again, and this time saved.
class RecordOwnership : public AllScreensFixture, public ::testing::WithParamInterface<const char*> {
public:
    // Every stored row of the table, whole, by id.
    QMap<int, QStringList> rows(const QString& table) {
        QMap<int, QStringList> result;
        QSqlQuery query(db.connection().Database());
        EXPECT_TRUE(query.exec(QStringLiteral("SELECT * FROM %1").arg(table)));
        while (query.next()) {
            QStringList values;
            for (int i = 0; i < query.record().count(); ++i)
                values << (query.isNull(i) ? QStringLiteral("<null>") : query.value(i).toString());
            result.insert(query.value(QStringLiteral("id")).toInt(), values);
        }
        return result;
    }

    void clickRow(int row) {
        auto* grid = list->findChild<TDBGrid*>();
        ASSERT_NE(grid, nullptr);
        const QRect cell = grid->visualRect(grid->model()->index(row, grid->columnAt(1)));
        ASSERT_TRUE(cell.isValid());
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, Qt::NoModifier, cell.center());
        grid->setFocus();
        QApplication::processEvents();
    }

    static QString boxText(QDialog& w, const QString& name) {
        if (auto* chooser = w.findChild<TDBLookupComboBox*>(name))
            return chooser->Text();
        return find<QLineEdit>(w, name)->text();
    }
};

namespace {

enum TClosing { Escape, CloseBox, CloseButton };

void closeWindow(QDialog& w, TClosing closing) {
    switch (closing) {
    case Escape:
        // Where Escape presses no button the window stays, and the user then
        // closes it by its close box.
        QTest::keyClick(&w, Qt::Key_Escape);
        break;
    case CloseBox:
        w.close();
        break;
    case CloseButton:
        for (const char* name : {"btnClose", "BitBtn2"})
            if (auto* button = w.findChild<QAbstractButton*>(QString::fromLatin1(name)))
                button->click();
        break;
    }
}

} // namespace

TEST_P(RecordOwnership, OnlyTheEditWindowsSaveWritesTheNewRecord) {
    const TScreenCase screen = screenCase(QString::fromLatin1(GetParam()));
    TDataSet* ds = open(screen);
    list->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(list.get()));
    ASSERT_GE(ds->RecordCount(), 2);
    for (const TClosing closing : {Escape, CloseBox, CloseButton}) {
        SCOPED_TRACE(closing);
        dialogs.clear();
        const QMap<int, QStringList> before = rows(screen.Table);
        clickRow(1);
        const int current = ds->FieldByName(QStringLiteral("id"))->AsInteger();
        int showing = 0;
        dialogs.onModal(screen.EditWindow, [&](QDialog& w) {
            if (++showing == 1) {
                fill(w, {screen.Valid[0]});
                clickRow(0); // the grid behind the window, clicked or given the focus
                EXPECT_NE(ds->State(), TDataSetState::Browse) << "the grid took the record away";
                dialogs.answer(TMsgButton::No);
                closeWindow(w, closing);
                return;
            }
            EXPECT_EQ(boxText(w, screen.Valid[0].Box), QString()) << "a stored record in place of a new one";
            fill(w, screen.Valid);
            click(w, screen.SaveButton);
            EXPECT_FALSE(w.isVisible()) << shown().join(QLatin1Char('|')).toStdString();
        });
        click(*list, QStringLiteral("tbtnAdd"));
        EXPECT_EQ(rows(screen.Table), before) << "closing without saving wrote something";
        EXPECT_EQ(ds->State(), TDataSetState::Browse);
        EXPECT_EQ(ds->FieldByName(QStringLiteral("id"))->AsInteger(), current);
        click(*list, QStringLiteral("tbtnAdd"));
        QMap<int, QStringList> after = rows(screen.Table);
        ASSERT_EQ(after.size(), before.size() + 1);
        for (auto it = before.cbegin(); it != before.cend(); ++it)
            EXPECT_EQ(after.take(it.key()), it.value()) << "row " << it.key() << " changed";
        EXPECT_EQ(after.size(), 1);
        EXPECT_EQ(ds->State(), TDataSetState::Browse);
    }
    list->hide();
}

INSTANTIATE_TEST_SUITE_P(Screens, RecordOwnership,
                         ::testing::Values("employees", "routes", "clients", "ticket types", "airliners",
                                           "flights", "sales"),
                         [](const auto& info) { return caseName(info.param); });
