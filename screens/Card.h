#pragma once

#include "screens/ListForm.h"

class TdmCard;

// "Справочник типов билетов": the ticket types; no search and no sorting.
class TfrmCard : public TListForm {
    Q_OBJECT
public:
    explicit TfrmCard(TdmCard* module, QWidget* owner = nullptr);

    // The tool buttons' own handlers; the commands are the shared ones.
    void tbtnAddClick() { mnuAddClick(); }
    void tbtnEditClick() { mnuEditClick(); }
    void tbtnDelClick() { mnuDelClick(); }

protected:
    TEditForm* createEditForm() override;

private:
    void connectToolButton(const char* name, void (TfrmCard::*handler)());

    TdmCard* FModule;
};

extern TfrmCard* frmCard;
