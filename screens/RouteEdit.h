#pragma once

#include "screens/EditForm.h"

// "Редактирование маршрута": one route with its fare and flight time.
class TfrmRouteEdit : public TEditForm {
    Q_OBJECT
public:
    TfrmRouteEdit(QWidget* AOwner, TCrudController* crud, TDataSource* dataSource);

protected:
    void checkForm() override;

private:
    TDBEdit* editAirStart;
    TDBEdit* editAirTarget;
    TDBEdit* editPrice;
    TDBEdit* editTimes;
};
