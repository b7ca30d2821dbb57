#include "framework/DateBetween.h"

#include "framework/DateSelect.h"
#include "ui/MaskEdit.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

namespace {

QLabel* label(QWidget* owner, const QString& name, const QString& caption, int left) {
    auto* result = new QLabel(caption, owner);
    result->setObjectName(name);
    result->setGeometry(left, 19, 20, 13);
    return result;
}

} // namespace

// The host is a control of the owner window, so the frame, a child of the host,
// goes with the owner without being tied to it separately.
TframeDateBetween::TframeDateBetween([[maybe_unused]] QObject* AOwner, QWidget* AParent, const QString& title)
    : QFrame(AParent) {
    setObjectName(QStringLiteral("frameDateBetween"));
    gbDateSearch = new QGroupBox(QStringLiteral("По дате"), this);
    gbDateSearch->setObjectName(QStringLiteral("gbDateSearch"));
    gbDateSearch->setGeometry(0, 0, 222, 43);
    Label3 = label(gbDateSearch, QStringLiteral("Label3"), QStringLiteral("От:"), 6);
    editDate1 = dateBox(QStringLiteral("editDate1"), 26);
    Label6 = label(gbDateSearch, QStringLiteral("Label6"), QStringLiteral("до:"), 100);
    editDate2 = dateBox(QStringLiteral("editDate2"), 120);
    btnDateSelect = new QPushButton(QStringLiteral("+\\-"), gbDateSearch);
    btnDateSelect->setObjectName(QStringLiteral("btnDateSelect"));
    btnDateSelect->setAutoDefault(false);
    btnDateSelect->setGeometry(194, 15, 23, 22);
    connect(btnDateSelect, &QPushButton::clicked, this, &TframeDateBetween::btnDateSelectClick);
    setFixedSize(gbDateSearch->size());
    AParent->setFixedSize(gbDateSearch->size());
    gbDateSearch->setTitle(title);
}

TMaskEdit* TframeDateBetween::dateBox(const QString& name, int left) {
    auto* result = new TMaskEdit(gbDateSearch);
    result->setObjectName(name);
    result->SetEditMask(QStringLiteral("!99/99/0000;1;_"));
    result->setReadOnly(true);
    result->setStyleSheet(QStringLiteral("background-color: silver;"));
    result->setGeometry(left, 15, 70, 21);
    return result;
}

QString TframeDateBetween::GetDateFirst() const {
    return editDate1->Text();
}

QString TframeDateBetween::GetDateLast() const {
    return editDate2->Text();
}

void TframeDateBetween::ClearDate() {
    editDate1->Clear();
    editDate2->Clear();
}

void TframeDateBetween::btnDateSelectClick() {
    frmDateSelect->ShowModal();
    editDate1->SetText(frmDateSelect->getDateStart());
    editDate2->SetText(frmDateSelect->getDateEnd());
    if (frmDateSelect->isReset()) {
        ClearDate();
    }
}
