#include "framework/DateBetween.h"

#include "framework/DateSelect.h"
#include "ui/MaskEdit.h"
#include "ui/ShowingErrors.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

namespace {

QLabel* label(QWidget* owner, const QString& name, const QString& caption, int left) {
    auto* result = new QLabel(caption, owner);
    result->setObjectName(name);
    result->setGeometry(left, 19, 19, 13);
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
    Label3 = label(gbDateSearch, QStringLiteral("Label3"), QStringLiteral("От:"), 4);
    editDate1 = dateBox(QStringLiteral("editDate1"), 23);
    Label6 = label(gbDateSearch, QStringLiteral("Label6"), QStringLiteral("до:"), 100);
    editDate2 = dateBox(QStringLiteral("editDate2"), 119);
    btnDateSelect = new QPushButton(QStringLiteral("+\\-"), gbDateSearch);
    btnDateSelect->setObjectName(QStringLiteral("btnDateSelect"));
    btnDateSelect->setAutoDefault(false);
    btnDateSelect->setGeometry(196, 15, 22, 21);
    btnDateSelect->setStyleSheet(QStringLiteral("padding: 0px;"));
    connect(btnDateSelect, &QPushButton::clicked, this,
            showingErrors(this, &TframeDateBetween::btnDateSelectClick));
    setFixedSize(gbDateSearch->size());
    AParent->setFixedSize(gbDateSearch->size());
    gbDateSearch->setTitle(title);
}

TMaskEdit* TframeDateBetween::dateBox(const QString& name, int left) {
    auto* result = new TMaskEdit(gbDateSearch);
    result->setObjectName(name);
    result->SetEditMask(QStringLiteral("!99/99/0000;1;_"));
    result->setReadOnly(true);
    // A thin border and no padding: the whole date must fit the narrow box. The
    // text stays black: the range is read from these boxes, not merely shown.
    result->setStyleSheet(
        QStringLiteral("background-color: silver; color: black; border: 1px solid gray; padding: 0px;"));
    result->setGeometry(left, 15, 74, 21);
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
