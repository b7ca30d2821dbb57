#include "framework/DateBetween.h"
#include "framework/DateSelect.h"
#include "framework/FilterController.h"

#include "tests/support/RussianSettings.h"
#include "tests/support/TestDialogService.h"
#include "ui/MaskEdit.h"

#include <QDateEdit>
#include <QGroupBox>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {

const QString Unfilled = QStringLiteral("  .  .    ");

TEST(DateSelect, OffersTheFirstOfThisMonthToTomorrowOnEveryShowing) {
    const TRussianSettings russian;
    const struct {
        QDate today;
        QString start;
        QString end;
    } cases[]{{{2019, 3, 15}, QStringLiteral("01.03.2019"), QStringLiteral("16.03.2019")},
              {{2019, 12, 31}, QStringLiteral("01.12.2019"), QStringLiteral("01.01.2020")},
              {{2020, 2, 1}, QStringLiteral("01.02.2020"), QStringLiteral("02.02.2020")}};
    QDate today;
    TfrmDateSelect dialog(nullptr, [&today] { return today; });
    TTestDialogService dialogs;
    for (const auto& c : cases) {
        today = c.today;
        // A choice made at an earlier showing must not be offered again.
        dialogs.onModal(QStringLiteral("frmDateSelect"), [&dialog](QDialog&) {
            dialog.dateStart->setDate({2000, 1, 1});
            dialog.dateEnd->setDate({2000, 1, 2});
            dialog.btnOk->click();
        });
        dialog.ShowModal();
        dialogs.onModal(QStringLiteral("frmDateSelect"), [&dialog](QDialog&) { dialog.btnOk->click(); });
        dialog.ShowModal();
        EXPECT_EQ(dialog.getDateStart(), c.start) << c.today.toString().toStdString();
        EXPECT_EQ(dialog.getDateEnd(), c.end) << c.today.toString().toStdString();
        EXPECT_FALSE(dialog.isReset());
    }
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Выбор диапазона дат"));
}

// The shared dialog and a frame in a host group box of a list window, the
// way the flights list searches by departure date.
class DateFrame : public ::testing::Test {
protected:
    DateFrame() {
        frmDateSelect = &dialog;
        host.resize(400, 100);
    }
    ~DateFrame() override { frmDateSelect = nullptr; }

    void choose(const char* buttonName) {
        dialogs.onModal(QStringLiteral("frmDateSelect"), [buttonName](QDialog& window) {
            window.findChild<QPushButton*>(QString::fromLatin1(buttonName))->click();
        });
        frame.btnDateSelect->click();
    }

    TRussianSettings russian;
    TfrmDateSelect dialog{nullptr, [] { return QDate(2019, 3, 15); }};
    TTestDialogService dialogs;
    QWidget window;
    QGroupBox host{&window};
    TframeDateBetween frame{&window, &host, QStringLiteral("По дате отправки")};
};

TEST_F(DateFrame, TakesItsTitleAndGivesTheHostTheSizeOfItsGroupBox) {
    EXPECT_EQ(frame.gbDateSearch->title(), QStringLiteral("По дате отправки"));
    EXPECT_EQ(host.size(), QSize(222, 43));
    EXPECT_EQ(frame.GetDateFirst(), Unfilled);
    EXPECT_EQ(frame.GetDateLast(), Unfilled);
}

TEST_F(DateFrame, OkFillsBothBoxesAndTheSearchGetsARange) {
    choose("btnOk");
    EXPECT_EQ(frame.GetDateFirst(), QStringLiteral("01.03.2019"));
    EXPECT_EQ(frame.GetDateLast(), QStringLiteral("16.03.2019"));
    TFilterController filter(nullptr);
    filter.AddBetween(QStringLiteral("dateStart"), frame.GetDateFirst(), frame.GetDateLast());
    EXPECT_EQ(filter.getFilter(), QStringLiteral("(dateStart>='01.03.2019' AND dateStart<='16.03.2019')"));
}

TEST_F(DateFrame, CancelResetAndTheCloseBoxEmptyAnEarlierRange) {
    for (const char* leave : {"btnClose", "btnReset", ""}) {
        choose("btnOk");
        if (*leave) {
            choose(leave);
        } else {
            dialogs.onModal(QStringLiteral("frmDateSelect"), [](QDialog&) {});
            frame.btnDateSelect->click();
        }
        EXPECT_EQ(frame.GetDateFirst(), Unfilled) << leave;
        EXPECT_EQ(frame.GetDateLast(), Unfilled) << leave;
        TFilterController filter(nullptr);
        filter.AddBetween(QStringLiteral("dateStart"), frame.GetDateFirst(), frame.GetDateLast());
        EXPECT_EQ(filter.getIndex(), -1) << leave;
    }
}

TEST_F(DateFrame, TheUserCannotTypeIntoTheDateBoxes) {
    QTest::keyClicks(frame.editDate1, QStringLiteral("01032019"));
    QTest::keyClick(frame.editDate2, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(frame.GetDateFirst(), Unfilled);
    EXPECT_EQ(frame.GetDateLast(), Unfilled);
    choose("btnOk");
    QTest::keyClick(frame.editDate1, Qt::Key_Backspace);
    QTest::keyClick(frame.editDate1, Qt::Key_Delete);
    EXPECT_EQ(frame.GetDateFirst(), QStringLiteral("01.03.2019"));
}

TEST_F(DateFrame, ClearDateEmptiesBothBoxes) {
    choose("btnOk");
    frame.ClearDate();
    EXPECT_EQ(frame.GetDateFirst(), Unfilled);
    EXPECT_EQ(frame.GetDateLast(), Unfilled);
}

} // namespace
