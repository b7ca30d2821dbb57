#pragma once

#include "data/PersonDm.h"

// Employees, the airliners' commanders; listed by surname.
class TdmSotrudnik : public TPersonDm {
    Q_OBJECT
public:
    explicit TdmSotrudnik(TConnection* connection, QObject* parent = nullptr);
};
