#include "app/Language.h"
#include "framework/DateSelect.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QDateEdit>
#include <QDialogButtonBox>
#include <QMessageBox>
#include <QPushButton>
#include <QToolButton>
#include <gtest/gtest.h>

namespace {

QStringList buttonTexts(const QMessageBox& box) {
    QStringList texts;
    for (const QAbstractButton* button : box.buttons())
        texts << button->text().remove(QLatin1Char('&'));
    texts.sort();
    return texts;
}

} // namespace

// The tests run in the C locale, as servers and containers do: the window
// system's own texts are then Russian, like the program's.
TEST(Language, StandardButtonsAndTheCalendarSpeakRussianWhereTheSystemNamesNoLanguage) {
    ASSERT_EQ(QLocale::system().language(), QLocale::C);
    {
        TLanguage language;
        language.install(*qApp);

        QMessageBox confirmation(QMessageBox::NoIcon, QStringLiteral("Удаление"),
                                 QStringLiteral("Вы действительно хотите удалить?"),
                                 QMessageBox::Yes | QMessageBox::No);
        EXPECT_EQ(buttonTexts(confirmation), QStringList({"Да", "Нет"}));
        QMessageBox information(QMessageBox::Information, QStringLiteral("Сообщение"), QString(),
                                QMessageBox::Ok | QMessageBox::Cancel);
        EXPECT_EQ(buttonTexts(information), QStringList({"OK", "Отмена"}));

        TfrmDateSelect dates(nullptr, [] { return QDate(2019, 2, 15); });
        dates.show();
        auto* dateStart = dates.findChild<QDateEdit*>(QStringLiteral("dateStart"));
        QCalendarWidget* calendar = dateStart->calendarWidget();
        EXPECT_EQ(calendar->firstDayOfWeek(), Qt::Monday);
        const auto* month = calendar->findChild<QToolButton*>(QStringLiteral("qt_calendar_monthbutton"));
        ASSERT_NE(month, nullptr);
        EXPECT_EQ(month->text(), QStringLiteral("февраль"));
        EXPECT_EQ(calendar->locale().dayName(1, QLocale::ShortFormat), QStringLiteral("пн"));
    }
    // Put back for the other tests.
    QMessageBox after(QMessageBox::NoIcon, QString(), QString(), QMessageBox::Yes);
    EXPECT_EQ(buttonTexts(after), QStringList({"Yes"}));
}
