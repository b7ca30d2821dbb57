#pragma once

#include "data/TableDm.h"

// Employees and clients are both people: the same name, telephone and address
// columns, and the full name `c_fio` calculated from them.
class TPersonDm : public TTableDm {
    Q_OBJECT
public:
    void tblCalcFields(TDataSet* DataSet);

protected:
    TPersonDm(const QString& name, const QString& tableName, TConnection* connection, QObject* parent);
};
