#pragma once

#include "data/Query.h"

#include <QObject>

class TConnection;

// The seats left on each flight, read from the database's `leavings` view.
// `tbl` holds the whole view for lists; `balance` asks for one flight afresh
// each time, so a sale is never allowed on a count read before other sales.
class TdmLeavings : public QObject {
    Q_OBJECT
public:
    explicit TdmLeavings(TConnection* connection, QObject* parent = nullptr);

    TQuery* tbl;
    TQuery* balance;

    void DataModuleCreate(QObject* Sender);
    void tblAfterOpen(TDataSet* DataSet);
    // Reads `tbl` anew from the database. A failure leaves it closed and
    // reaches the caller.
    void ReActive();
    // The tickets still for sale on the flight, rounded half to even; 0 when
    // the flight has no row or an empty balance. Query errors reach the caller.
    int GetBalance(int flight_id);
};
