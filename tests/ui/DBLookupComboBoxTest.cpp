#include "ControlsFixture.h"

#include "ui/DBLookupComboBox.h"

#include <QAbstractItemView>
#include <QScreen>
#include <QScrollBar>
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

    // Adds an employee whose name is `fam` and "Иван"; returns the key.
    int addEmployee(const QString& fam) {
        staff.Append();
        staff.FieldByName(QStringLiteral("fam"))->SetAsString(fam);
        staff.FieldByName(QStringLiteral("names"))->SetAsString(QStringLiteral("Иван"));
        staff.Post();
        return staff.FieldByName(QStringLiteral("id"))->AsInteger();
    }

    // The dropped-down list of a box shown in a window of its own.
    static QWidget* dropDown(TDBLookupComboBox& box) {
        box.showPopup();
        QWidget* popup = box.view()->window();
        EXPECT_NE(popup, box.window());
        EXPECT_TRUE(popup->isVisible());
        return popup;
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
    box.SetKeyValue(QStringLiteral("1")); // a key given as text
    EXPECT_EQ(box.Text(), QStringLiteral("Петров Иван"));
    box.SetKeyValue(99);
    EXPECT_EQ(box.currentIndex(), -1);
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

// Lines that begin alike ("Рейс №1 | Маршрут №14 | ...") are told apart by
// their ends: the list is as wide as its longest line, the box cuts what it
// cannot show at the end and offers the whole line as its tip.
TEST_F(DBLookupComboBoxTest, ListIsAsWideAsItsLongestLineAndLinesAreCutAtTheirEnd) {
    const QString longName = QStringLiteral("Константинопольский-Завадовски Иван");
    const int longKey = addEmployee(longName.section(QLatin1Char(' '), 0, 0));
    QWidget window;
    TDBLookupComboBox box(&window);
    list(box);
    box.setFixedWidth(170);
    window.show();

    box.SetKeyValue(longKey);
    EXPECT_EQ(box.Text(), longName);
    EXPECT_TRUE(box.ShownText().endsWith(QChar(0x2026))) << box.ShownText().toStdString();
    EXPECT_TRUE(longName.startsWith(box.ShownText().chopped(1)));
    EXPECT_GT(box.ShownText().size(), 3);
    EXPECT_EQ(box.toolTip(), longName);
    box.SetKeyValue(2);
    EXPECT_EQ(box.ShownText(), QStringLiteral("Абрамов Олег"));
    EXPECT_EQ(box.toolTip(), QString());

    QWidget* popup = dropDown(box);
    QAbstractItemView* view = box.view();
    EXPECT_GE(popup->width(), box.width());
    EXPECT_GE(popup->width(), view->fontMetrics().horizontalAdvance(longName));
    for (int row = 0; row < box.count(); ++row) {
        const QModelIndex item = view->model()->index(row, 0);
        EXPECT_GE(view->visualRect(item).width(), view->sizeHintForIndex(item).width()) << row;
    }
    const QRect screen = popup->screen()->availableGeometry();
    EXPECT_TRUE(screen.contains(popup->geometry()));
    box.hidePopup();

    // Wider than the screen: as wide as the screen, the line cut at its end
    // in the list too, and shown whole as the tip of its row.
    QFont large = box.font();
    large.setPixelSize(screen.width() / 12);
    box.setFont(large);
    box.view()->setFont(large);
    popup = dropDown(box);
    EXPECT_EQ(popup->width(), screen.width());
    EXPECT_TRUE(screen.contains(popup->geometry()));
    EXPECT_EQ(view->textElideMode(), Qt::ElideRight);
    EXPECT_EQ(box.ItemTip(box.count() - 1), longName);
    EXPECT_EQ(box.ItemTip(1), QString());
    box.hidePopup();
}

// A box whose choice is the last of a few items opens with every item whole
// and no empty space below the last; with more items than fit, the list ends
// at the current last one.
TEST_F(DBLookupComboBoxTest, ListOpensShowingItsCurrentItemAndEndsAtTheLast) {
    addEmployee(QStringLiteral("Эконом"));
    QWidget window;
    TDBLookupComboBox box(&window);
    list(box);
    window.show();
    struct {
        const char* Name;
        int VisibleItems;
        bool Scrolled;
    } const cases[] = {{"all fit", 10, false}, {"more than fit", 2, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        box.setMaxVisibleItems(c.VisibleItems);
        box.SetKeyValue(QVariant());
        box.SetKeyValue(box.count()); // keys are the rows from 1: the last one
        dropDown(box);
        QAbstractItemView* view = box.view();
        const QRect last = view->visualRect(view->model()->index(box.count() - 1, 0));
        const QRect first = view->visualRect(view->model()->index(0, 0));
        const int viewportHeight = view->viewport()->height();
        EXPECT_EQ(view->currentIndex().row(), box.count() - 1);
        EXPECT_LE(last.bottom(), viewportHeight - 1) << "the current last item is whole";
        EXPECT_LT(viewportHeight - 1 - last.bottom(), 2) << "no space below the last item";
        EXPECT_EQ(view->verticalScrollBar()->isVisible(), c.Scrolled);
        if (c.Scrolled)
            EXPECT_LT(first.top(), 0);
        else
            EXPECT_EQ(first.top(), 0) << "every item is whole";
        box.hidePopup();
    }
}

} // namespace
