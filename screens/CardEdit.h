#pragma once

#include "screens/EditForm.h"

// "Редактирование типа билета": a ticket type and its markup. Enter and
// Escape press nothing here.
class TfrmCardEdit : public TEditForm {
    Q_OBJECT
public:
    TfrmCardEdit(QWidget* AOwner, TCrudController* crud, TDataSource* dataSource);

protected:
    void checkForm() override;

private:
    TDBEdit* editNames;
    TDBEdit* editPercent;
};
