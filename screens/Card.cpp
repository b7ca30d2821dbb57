#include "screens/Card.h"

#include "data/CardDm.h"
#include "data/DataSet.h"
#include "screens/CardEdit.h"

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
    : TListForm(listWindow(), module->tbl, module->ds, owner), FModule(module) {}

TEditForm* TfrmCard::createEditForm() {
    return new TfrmCardEdit(this, FCrud.get(), FModule->ds);
}
