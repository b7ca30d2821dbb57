#pragma once

#include "screens/ListForm.h"

class TdmCard;

// "Справочник типов билетов": the ticket types; no search and no sorting.
class TfrmCard : public TListForm {
    Q_OBJECT
public:
    explicit TfrmCard(TdmCard* module, QWidget* owner = nullptr);

protected:
    TEditForm* createEditForm() override;

private:
    TdmCard* FModule;
};

extern TfrmCard* frmCard;
