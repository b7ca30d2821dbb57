#include "AllScreensFixture.h"

#include <QDialog>
#include <QLineEdit>

// What a number or time box stores of what the user types into it, or the
// messages that refuse the save. Each case edits the first record of a list
// window, types into one box and saves; a refused save leaves the stored value
// as it was, so a value the box cannot hold never erases the one there.
struct TTypedValue {
    const char* Screen;
    const char* Box;
    QString Column;
    QString Typed;
    QStringList Messages; // none: the save passes
    QString Stored{};     // the column afterwards when the save passes
};

std::ostream& operator<<(std::ostream& out, const TTypedValue& c) {
    return out << c.Screen << " " << c.Box << " '" << c.Typed.toStdString() << "'";
}

class TypedValues : public AllScreensFixture, public ::testing::WithParamInterface<TTypedValue> {};

TEST_P(TypedValues, StoredOrRefused) {
    const TTypedValue& c = GetParam();
    const TScreenCase screen = screenCase(QString::fromLatin1(c.Screen));
    TDataSet* ds = open(screen);
    ds->First();
    const int id = ds->FieldByName(QStringLiteral("id"))->AsInteger();
    const QString query =
        QStringLiteral("SELECT %1 FROM %2 WHERE id = %3").arg(c.Column, screen.Table).arg(id);
    const QString before = db.Scalar(query).toString();
    dialogs.onModal(screen.EditWindow, [&](QDialog& w) {
        type(w, QString::fromLatin1(c.Box), c.Typed);
        click(w, screen.SaveButton);
        EXPECT_EQ(w.isVisible(), !c.Messages.isEmpty());
        dialogs.answer(TMsgButton::No);
    });
    click(*list, QStringLiteral("tbtnEdit"));
    EXPECT_EQ(told(), c.Messages);
    const QVariant stored = db.Scalar(query);
    EXPECT_EQ(stored.isNull() ? QString() : stored.toString(), c.Messages.isEmpty() ? c.Stored : before);
}

namespace {

const QString NotAnInteger = QStringLiteral("Нужно ввести целое число");
const QString NotANumber = QStringLiteral("Нужно ввести число");

QStringList wrong(const char* caption) {
    return {QStringLiteral("Неверное значение в поле «%1»").arg(QString::fromUtf8(caption))};
}

} // namespace

INSTANTIATE_TEST_SUITE_P(
    Boxes, TypedValues,
    ::testing::Values(
        TTypedValue{"employees", "editStage", "stage", "abc", wrong("Летный стаж, лет")},
        TTypedValue{"employees", "editStage", "stage", "99999999999", wrong("Летный стаж, лет")},
        TTypedValue{"employees", "editStage", "stage", "$1F", {}, "31"},
        TTypedValue{"employees", "editStage", "stage", "0x1B", {}, "27"},
        TTypedValue{"employees", "editStage", "stage", "-4", {}, "-4"},
        TTypedValue{"employees", "editStage", "stage", "", {}, ""},
        TTypedValue{"airliners", "editLifeTime", "lifetime", "$1F", {}, "31"},
        TTypedValue{"airliners", "editLifeTime", "lifetime", "0x1B", {}, "27"},
        TTypedValue{"airliners",
                    "editLifeTime",
                    "lifetime",
                    "99999999999",
                    {NotAnInteger, QStringLiteral("Необходимо указать срок эксплуатации в годах")}},
        TTypedValue{"airliners", "editSeats", "seats", "0x10", {}, "16"},
        TTypedValue{"airliners",
                    "editSeats",
                    "seats",
                    "12,5",
                    {NotAnInteger, QStringLiteral("Необходимо указать количество посадочных мест")}},
        TTypedValue{"routes", "editTimes", "times", "$5A", {}, "90"},
        TTypedValue{"routes",
                    "editPrice",
                    "price",
                    "abc",
                    {NotANumber, QStringLiteral("Введите базовую стоимость полета")}},
        TTypedValue{"routes", "editPrice", "price", "1500,5", {}, "1500.5"},
        TTypedValue{"flights", "editTimeStart", "timeStart", "9999", wrong("Время")},
        TTypedValue{"flights", "editTimeStart", "timeStart", "2500", wrong("Время")},
        TTypedValue{"flights", "editTimeStart", "timeStart", "730", wrong("Время")},
        TTypedValue{"flights", "editTimeStart", "timeStart", "0745", {}, "1899-12-30 07:45:00"},
        TTypedValue{"flights", "editTimeStart", "timeStart", "", {}, ""}),
    [](const auto& info) { return std::to_string(info.index); });

// Text that is no number stays in its box while other boxes are typed into,
// so the message about it points at a box that shows why.
TEST_F(AllScreensFixture, TextInANumberBoxStaysWhileOtherBoxesAreTyped) {
    const TScreenCase screen = screenCase(QStringLiteral("routes"));
    open(screen);
    dialogs.onModal(screen.EditWindow, [&](QDialog& w) {
        fill(w, screen.Valid, {{QStringLiteral("editPrice"), QStringLiteral("abc")}});
        type(w, QStringLiteral("editAirTarget"), QStringLiteral("Тверь"));
        EXPECT_EQ(find<QLineEdit>(w, QStringLiteral("editPrice"))->text(), QStringLiteral("abc"));
        click(w, screen.SaveButton);
        EXPECT_EQ(find<QLineEdit>(w, QStringLiteral("editPrice"))->text(), QStringLiteral("abc"));
        dialogs.answer(TMsgButton::No);
    });
    click(*list, QStringLiteral("tbtnAdd"));
    EXPECT_EQ(shown(), QStringList({NotANumber, QStringLiteral("Введите базовую стоимость полета"),
                                    QStringLiteral("Были сделаны изменения. Хотите сохранить?")}));
}
