#include "screens/CardEdit.h"

#include "ui/DBEdit.h"

#include <QPushButton>

TfrmCardEdit::TfrmCardEdit(QWidget* AOwner, TCrudController* crud, TDataSource* dataSource)
    : TEditForm(AOwner, crud, QStringLiteral("frmCardEdit"), QStringLiteral("Редактирование типа билета")) {
    editNames = addBox(fieldsArea(), "editNames", QStringLiteral("Наименование типа билета:"), dataSource,
                       QStringLiteral("names"), 0);
    editPercent = addBox(fieldsArea(), "editPercent", QStringLiteral("Размер наценки к стоимости, %:"),
                         dataSource, QStringLiteral("percent"), 1);
    editNames->setMinimumWidth(300);
    addButtons("btnSave", false);
    setTabOrderChain({btnSave, btnClose, editNames, editPercent});
}

void TfrmCardEdit::checkForm() {
    requireText(editNames, QStringLiteral("Необходимо ввести тип билета"));
}
