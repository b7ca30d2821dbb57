#pragma once

#include "data/TableDm.h"

// Flights: an airliner on a route at a date and time; listed by date. A new
// flight is open and leaves today until the user says otherwise.
class TdmFlight : public TTableDm {
    Q_OBJECT
public:
    // `route` and `air` are the tables the flight's route and airliner are looked up in.
    TdmFlight(TConnection* connection, TDataSet* route, TDataSet* air, QObject* parent = nullptr);

    void tblAfterInsert(TDataSet* DataSet);
    void tblCalcFields(TDataSet* DataSet);
    QString toString(TDataSet* DataSet) const;
};

extern TdmFlight* dmFlight;
