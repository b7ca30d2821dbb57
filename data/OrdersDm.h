#pragma once

#include "data/Currency.h"
#include "data/TableDm.h"

#include <optional>

class TdmLeavings;

// Ticket sales; listed by sale number. Each sale's price `itogo` is worked out
// from the route's fare and the ticket type's markup, and every sale written
// or deleted makes the seat balance be read again.
class TdmOrders : public TTableDm {
    Q_OBJECT
public:
    // `flight`, `clients` and `card` are the tables the sale's flight, client and
    // ticket type are looked up in; `leavings` is reread after each change.
    TdmOrders(TConnection* connection, TDataSet* flight, TDataSet* clients, TDataSet* card,
              TdmLeavings* leavings, QObject* parent = nullptr);

    void tblAfterInsert(TDataSet* DataSet);
    void tblCalcFields(TDataSet* DataSet);
    // The price of one ticket of the sale; nothing when it is too large for
    // the money type.
    std::optional<TCurrency> getItogo(TDataSet* DataSet) const;
    void tblAfterDelete(TDataSet* DataSet);
    void refreshLeavings();
    // Every write of a sale that adds one, moves one to another flight or
    // raises its number of tickets is checked here, whoever posts it: the seats
    // are counted inside the write's own transaction with the write lock held,
    // so however many programs sell on the same file at once, no flight gets
    // more tickets sold than it has seats. A refusal throws ESoldOut and leaves
    // the sale unsaved as it was typed.
    void tblBeforeWrite(TDataSet* DataSet);

private:
    // The seats the write takes on the sale's flight beyond what the stored
    // sale already holds there.
    static int seatsWanted(TDataSet* DataSet);

    TdmLeavings* FLeavings;
};
