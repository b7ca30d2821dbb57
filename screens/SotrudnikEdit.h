#pragma once

#include "screens/PersonEdit.h"

// "Редактирование сотрудника": one employee.
class TfrmSotrudnikEdit : public TPersonEditForm {
    Q_OBJECT
public:
    TfrmSotrudnikEdit(QWidget* AOwner, TCrudController* crud, TDataSource* dataSource);

private:
    TDBEdit* editStage;
};
