#include "screens/ClientsEdit.h"

#include "framework/EmptyValue.h"
#include "ui/DBEdit.h"

TfrmClientsEdit::TfrmClientsEdit(QWidget* AOwner, TCrudController* crud, TDataSource* dataSource)
    : TPersonEditForm(AOwner, crud, dataSource, QStringLiteral("frmClientsEdit"),
                      QStringLiteral("Редактирование клиента")) {
    addNameBoxes();
    editSeria = addBox("editSeria", QStringLiteral("Серия паспорта:"), QStringLiteral("passport_seria"), 3);
    addAddressBox(4, 0);
    addPhoneBox(5, 0);
    editNum = addBox("editNum", QStringLiteral("№ паспорта:"), QStringLiteral("passport_num"), 6);
    addButtons("btnSaveGeneral", true);
}

void TfrmClientsEdit::checkForm() {
    TPersonEditForm::checkForm();
    if (editSeria->text().size() != 4)
        throw EmptyValueException(QStringLiteral("Введите серию паспорта в формате ХХХХ"));
    if (editNum->text().size() != 6)
        throw EmptyValueException(QStringLiteral("Введите № паспорта в формате ХХХХХХ"));
}
