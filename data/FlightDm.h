#pragma once

#include "data/TableDm.h"

class TdmLeavings;

// Flights: an airliner on a route at a date and time; listed by date. A new
// flight is open and leaves today until the user says otherwise. `counts` is
// the seats left on the flight, read from the seat balance once that is bound.
class TdmFlight : public TTableDm {
    Q_OBJECT
public:
    // `route` and `air` are the tables the flight's route and airliner are looked up in.
    TdmFlight(TConnection* connection, TDataSet* route, TDataSet* air, QObject* parent = nullptr);

    // The seat balance is made after the flights; from now on `counts` reads it,
    // and a flight stored or deleted has it read again, since a flight added or
    // moved to another airliner has other seats.
    void bindLeavings(TdmLeavings* leavings);

    void tblAfterInsert(TDataSet* DataSet);
    void tblCalcFields(TDataSet* DataSet);
    QString toString(TDataSet* DataSet) const;

private:
    void refreshLeavings();

    TdmLeavings* FLeavings = nullptr;
};
