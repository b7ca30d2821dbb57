#pragma once

#include "screens/PersonEdit.h"

// "Редактирование клиента": one passenger with the passport.
class TfrmClientsEdit : public TPersonEditForm {
    Q_OBJECT
public:
    TfrmClientsEdit(QWidget* AOwner, TCrudController* crud, TDataSource* dataSource);

protected:
    // The names first, then the passport by the length of its parts.
    void checkForm() override;

private:
    TDBEdit* editSeria;
    TDBEdit* editNum;
};
