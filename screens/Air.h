#pragma once

#include "screens/ListForm.h"

class TdmAir;
class TdmSotrudnik;
class TDBLookupComboBox;

// "Авиалайнеры": the airliners; searched also by commander, chosen among the
// employees as the employees window currently shows them.
class TfrmAir : public TListForm {
    Q_OBJECT
public:
    TfrmAir(TdmAir* module, TdmSotrudnik* sotrudnik, QWidget* owner = nullptr);

protected:
    TEditForm* createEditForm() override;
    void addSearchTerms() override;
    void clearSearch() override;

private:
    TdmAir* FModule;
    TdmSotrudnik* FSotrudnik;
    TDBLookupComboBox* cbSotrudnik;
};

extern TfrmAir* frmAir;
