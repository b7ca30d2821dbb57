#pragma once

#include "screens/ListForm.h"

class TdmRoute;

// "Маршруты": the routes with their fares; the route report starts here.
class TfrmRoute : public TListForm {
    Q_OBJECT
public:
    explicit TfrmRoute(TdmRoute* module, QWidget* owner = nullptr);

protected:
    TEditForm* createEditForm() override;

private:
    TdmRoute* FModule;
};

extern TfrmRoute* frmRoute;
