#pragma once

#include "data/TableDm.h"

// Ticket types with their markup in percent; listed by name. The markup is
// kept as the text the user typed and read as a number only for prices.
class TdmCard : public TTableDm {
    Q_OBJECT
public:
    explicit TdmCard(TConnection* connection, QObject* parent = nullptr);

    void tblCalcFields(TDataSet* DataSet);
    QString getFullName(TDataSet* DataSet) const;
};
