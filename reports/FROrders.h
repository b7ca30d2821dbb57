#pragma once

#include "reports/ReportHost.h"

// The report host of the ticket sales list, "Продажи билетов".
class TfrmFROrders : public TfrmReportHost {
    Q_OBJECT
public:
    explicit TfrmFROrders(QWidget* owner = nullptr) : TfrmReportHost("frmFROrders", "orders", owner) {}
};

extern TfrmFROrders* frmFROrders;
