#pragma once

#include "screens/ListForm.h"

class TdmSotrudnik;

// "Сотрудники": the employees, the airliners' commanders.
class TfrmSotrudnik : public TListForm {
    Q_OBJECT
public:
    explicit TfrmSotrudnik(TdmSotrudnik* module, QWidget* owner = nullptr);

protected:
    TEditForm* createEditForm() override;

private:
    TdmSotrudnik* FModule;
};

extern TfrmSotrudnik* frmSotrudnik;
