#pragma once

#include "screens/EditForm.h"

class TDBCheckBox;
class TDBLookupComboBox;
class TForm;

// "Редактирование рейса": one flight's airliner, route, departure date and
// time, and whether it is still open. The "Найти" buttons beside the two
// choosers show the airliners and routes windows, as their twins in the sale
// registration window show the clients and flights.
class TfrmFlightEdit : public TEditForm {
    Q_OBJECT
public:
    TfrmFlightEdit(QWidget* AOwner, TCrudController* crud, TDataSource* dataSource, TDataSource* airs,
                   TDataSource* routes, TForm* airList, TForm* routeList);

protected:
    // Airliner, route, then a complete departure date.
    void checkForm() override;

private:
    TDBLookupComboBox* cbAir;
    TDBLookupComboBox* cbRoute;
    TDBEdit* editDateStart;
    TDBEdit* editTimeStart;
    TDBCheckBox* DBCheckBox1;
};
