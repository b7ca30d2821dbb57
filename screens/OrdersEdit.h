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
    // Client, flight, then ticket type; the sales table itself refuses a
    // flight without a seat left as the sale is written.
    void checkForm() override;

private:
    TDBLookupComboBox* cbClient;
    TDBLookupComboBox* cbFlight;
    TDBLookupComboBox* cbCard;
    TDBEdit* editMesto;
    TDBEdit* editCount;
};
