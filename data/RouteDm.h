#pragma once

#include "data/TableDm.h"

// Routes with their fares; listed by place of departure. The one-line
// description `airToString` is what flights show for their route.
class TdmRoute : public TTableDm {
    Q_OBJECT
public:
    explicit TdmRoute(TConnection* connection, QObject* parent = nullptr);

    void tblCalcFields(TDataSet* DataSet);
    QString getAirToString(TDataSet* DataSet) const;
};
