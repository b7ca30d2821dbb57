#pragma once

#include "screens/ListForm.h"

class TdmClients;

// "Клиенты": the passengers the tickets are sold to.
class TfrmClients : public TListForm {
    Q_OBJECT
public:
    explicit TfrmClients(TdmClients* module, QWidget* owner = nullptr);

protected:
    TEditForm* createEditForm() override;

private:
    TdmClients* FModule;
};

extern TfrmClients* frmClients;
