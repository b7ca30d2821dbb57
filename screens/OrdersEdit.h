#pragma once

#include "screens/EditForm.h"

class TDBLookupComboBox;
class TForm;
class TdmOrders;

// "Регистрация продажи билета": a new sale of one ticket to a client on a
// flight. It is stored only with a client, a flight and a ticket type chosen
// and a seat left on the flight; the seats are counted as the sale is written,
// so two cashiers can never both sell a flight's last seat.
class TfrmOrdersEdit : public TEditForm {
    Q_OBJECT
public:
    TfrmOrdersEdit(QWidget* AOwner, TCrudController* crud, TdmOrders* module, TDataSource* clients,
                   TDataSource* flights, TDataSource* cards, TForm* clientsList, TForm* flightsList);

protected:
    // Client, flight, then ticket type; the seat is checked by postRecord.
    void checkForm() override;
    // A flight found full as the sale is written refuses it with the same
    // message as any other full flight.
    void postRecord() override;

private:
    TdmOrders* FModule;
    TDBLookupComboBox* cbClient;
    TDBLookupComboBox* cbFlight;
    TDBLookupComboBox* cbCard;
    TDBEdit* editMesto;
    TDBEdit* editCount;
};
