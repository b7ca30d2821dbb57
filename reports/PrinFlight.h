#pragma once

#include "reports/PrintReport.h"

// "Отчет по рейсам": the launch window of the report host frmFRFlight.
class TfrmPrintFlight : public TfrmPrintReport {
    Q_OBJECT
public:
    TfrmPrintFlight(QWidget* owner, TCrudController* crud);
};
