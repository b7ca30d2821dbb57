#pragma once

#include "reports/ReportHost.h"

class TdmOrders;

// The report host of the ticket sales list, "Продажи билетов".
class TfrmFROrders : public TfrmReportHost {
    Q_OBJECT
public:
    explicit TfrmFROrders(TdmOrders* module, QWidget* owner = nullptr);
};

extern TfrmFROrders* frmFROrders;
