#include "framework/DateSelect.h"

#include "data/FormatSettings.h"

#include <QDateEdit>
#include <QLabel>
#include <QPushButton>

TfrmDateSelect* frmDateSelect = nullptr;

namespace {

QLabel* label(QWidget* owner, const QString& name, const QString& caption, const QRect& place) {
    auto* result = new QLabel(caption, owner);
    result->setObjectName(name);
    result->setGeometry(place);
    return result;
}

// No button of the dialog answers Enter by itself: a date is often confirmed
// with Enter in its picker, and that must not close the dialog.
QPushButton* button(QWidget* owner, const QString& name, const QString& caption, int left) {
    auto* result = new QPushButton(caption, owner);
    result->setObjectName(name);
    result->setAutoDefault(false);
    result->setDefault(false);
    result->setGeometry(left, 72, 75, 25);
    return result;
}

} // namespace

TfrmDateSelect::TfrmDateSelect(QWidget* owner, TTodayFunc today) : TForm(owner), FToday(std::move(today)) {
    setObjectName(QStringLiteral("frmDateSelect"));
    setWindowTitle(QStringLiteral("Выбор диапазона дат"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    setFixedSize(267, 108);
    Label2 = label(this, QStringLiteral("Label2"), QStringLiteral("Начало диапазона:"), {8, 8, 120, 16});
    dateStart = dateBox(QStringLiteral("dateStart"), 8);
    Label1 = label(this, QStringLiteral("Label1"), QStringLiteral("-"), {124, 24, 16, 29});
    QFont large = Label1->font();
    large.setPointSize(18);
    Label1->setFont(large);
    Label3 = label(this, QStringLiteral("Label3"), QStringLiteral("Конец диапазона:"), {144, 8, 120, 16});
    dateEnd = dateBox(QStringLiteral("dateEnd"), 144);
    btnOk = button(this, QStringLiteral("btnOk"), QStringLiteral("Ок"), 8);
    btnReset = button(this, QStringLiteral("btnReset"), QStringLiteral("Сброс"), 96);
    btnClose = button(this, QStringLiteral("btnClose"), QStringLiteral("Отмена"), 184);
    connect(btnOk, &QPushButton::clicked, this, &TfrmDateSelect::btnOkClick);
    connect(btnReset, &QPushButton::clicked, this, &TfrmDateSelect::btnResetClick);
    connect(btnClose, &QPushButton::clicked, this, &TfrmDateSelect::btnCloseClick);
}

QDateEdit* TfrmDateSelect::dateBox(const QString& name, int left) {
    auto* result = new QDateEdit(this);
    result->setObjectName(name);
    result->setCalendarPopup(true);
    result->setDisplayFormat(FormatSettings().ShortDateFormat);
    result->setGeometry(left, 28, 113, 24);
    return result;
}

// Built from the date's parts rather than read back from a formatted text, so
// the first of the month comes out right whatever the regional date order.
void TfrmDateSelect::FormShow() {
    const QDate today = FToday();
    dateStart->setDate(QDate(today.year(), today.month(), 1));
    dateEnd->setDate(today.addDays(1));
    FReset = false;
    FDateStart.clear();
    FDateEnd.clear();
}

void TfrmDateSelect::btnOkClick() {
    FDateStart = dateStart->date().toString(FormatSettings().ShortDateFormat);
    FDateEnd = dateEnd->date().toString(FormatSettings().ShortDateFormat);
    accept();
}

void TfrmDateSelect::btnResetClick() {
    FReset = true;
    reject();
}

void TfrmDateSelect::btnCloseClick() {
    reject();
}
