#pragma once

#include "screens/ListForm.h"

class TDBLookupComboBox;
class TdmCard;
class TdmClients;
class TdmFlight;
class TdmOrders;

// "Продажи билетов": the ticket sales, searched by sale number, flight and
// client. A stored sale is never edited: a wrong one is deleted and sold again.
class TfrmOrders : public TListForm {
    Q_OBJECT
public:
    // `clientsList` and `flightsList` are the windows that the registration
    // window's "Найти" buttons show.
    TfrmOrders(TdmOrders* module, TdmFlight* flight, TdmClients* clients, TdmCard* card, TForm* clientsList,
               TForm* flightsList, QWidget* owner = nullptr);

protected:
    TEditForm* createEditForm() override;
    void addSearchTerms() override;
    void clearSearch() override;

private:
    TdmOrders* FModule;
    TdmFlight* FFlight;
    TdmClients* FClients;
    TdmCard* FCard;
    TForm* FClientsList;
    TForm* FFlightsList;
    TDBLookupComboBox* cbFlight;
    TDBLookupComboBox* cbClient;
};

extern TfrmOrders* frmOrders;
