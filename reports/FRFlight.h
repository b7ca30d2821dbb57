#pragma once

#include "reports/ReportHost.h"

// The report host of the flights list, "Рейсы".
class TfrmFRFlight : public TfrmReportHost {
    Q_OBJECT
public:
    explicit TfrmFRFlight(QWidget* owner = nullptr) : TfrmReportHost("frmFRFlight", "flights", owner) {}
};

extern TfrmFRFlight* frmFRFlight;
