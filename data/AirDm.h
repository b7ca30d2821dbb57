#pragma once

#include "data/TableDm.h"

// Airliners with their commanders; listed by number. A new airliner starts
// ready for departure.
class TdmAir : public TTableDm {
    Q_OBJECT
public:
    // `sotrudnik` is the employees' table that the commander's name is looked up in.
    TdmAir(TConnection* connection, TDataSet* sotrudnik, QObject* parent = nullptr);

    void tblAfterInsert(TDataSet* DataSet);
    void tblCalcFields(TDataSet* DataSet);
    QString getAirToString(TDataSet* DataSet) const;
};
