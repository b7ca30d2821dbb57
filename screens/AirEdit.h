#pragma once

#include "screens/EditForm.h"

class TDBCheckBox;
class TDBLookupComboBox;

// "Редактирование авиалайнера": one airliner with its commander, chosen among
// the employees as the employees window currently shows them.
class TfrmAirEdit : public TEditForm {
    Q_OBJECT
public:
    TfrmAirEdit(QWidget* AOwner, TCrudController* crud, TDataSource* dataSource, TDataSource* sotrudnik);

protected:
    void checkForm() override;

private:
    TDBEdit* editBort;
    TDBEdit* editModel;
    TDBEdit* editLifeTime;
    TDBEdit* editSeats;
    TDBEdit* editDateCreate;
    TDBLookupComboBox* cbSotrudnik;
    TDBCheckBox* DBCheckBox1;
};
