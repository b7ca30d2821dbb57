#pragma once

#include "data/PersonDm.h"

// Clients, the passengers of the sales; listed by surname.
class TdmClients : public TPersonDm {
    Q_OBJECT
public:
    explicit TdmClients(TConnection* connection, QObject* parent = nullptr);
};
