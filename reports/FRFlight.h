#pragma once

#include "reports/ReportHost.h"

class TdmFlight;

// The report host of the flights list, "Рейсы".
class TfrmFRFlight : public TfrmReportHost {
    Q_OBJECT
public:
    explicit TfrmFRFlight(TdmFlight* module, QWidget* owner = nullptr);
};

extern TfrmFRFlight* frmFRFlight;
