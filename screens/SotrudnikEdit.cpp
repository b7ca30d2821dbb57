#include "screens/SotrudnikEdit.h"

TfrmSotrudnikEdit::TfrmSotrudnikEdit(QWidget* AOwner, TCrudController* crud, TDataSource* dataSource)
    : TPersonEditForm(AOwner, crud, dataSource, QStringLiteral("frmSotrudnikEdit"),
                      QStringLiteral("Редактирование сотрудника")) {
    addNameBoxes();
    editStage = addBox("editStage", QStringLiteral("Летный стаж, лет:"), QStringLiteral("stage"), 3);
    addAddressBox(4, 0);
    addPhoneBox(5, 0);
    addButtons("btnSaveGeneral", true);
}
