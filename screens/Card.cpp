#include "screens/Card.h"

#include "data/CardDm.h"
#include "data/DataSet.h"
#include "screens/CardEdit.h"
#include "ui/ShowingErrors.h"

#include <QToolButton>

TfrmCard* frmCard = nullptr;

namespace {

TListWindow listWindow() {
    return {
        .Name = "frmCard",
        .Caption = QStringLiteral("Справочник типов билетов"),
        // Reached from the tool bar only; the menu just closes the window.
        .Tools = {"tbtnAdd", "tbtnEdit", "tbtnDel", "ToolButton4"},
        .Columns = {{QStringLiteral("names"), QStringLiteral("Тип билета"), 508},
                    {QStringLiteral("percent"), QStringLiteral("%"), 94, Qt::AlignCenter}},
        .GridName = "gridSp",
        .RowSelect = false,
    };
}

} // namespace

TfrmCard::TfrmCard(TdmCard* module, QWidget* owner)
    : TListForm(listWindow(), module->tbl, module->ds, owner), FModule(module) {
    connectToolButton("tbtnAdd", &TfrmCard::tbtnAddClick);
    connectToolButton("tbtnEdit", &TfrmCard::tbtnEditClick);
    connectToolButton("tbtnDel", &TfrmCard::tbtnDelClick);
}

// With no menu to share them, the tool buttons run handlers of their own.
void TfrmCard::connectToolButton(const char* name, void (TfrmCard::*handler)()) {
    auto* button = findChild<QToolButton*>(QString::fromLatin1(name));
    button->disconnect(this);
    connect(button, &QToolButton::clicked, this, showingErrors(this, handler));
}

TEditForm* TfrmCard::createEditForm() {
    return new TfrmCardEdit(this, FCrud.get(), FModule->ds);
}
