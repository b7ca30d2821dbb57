#include "reports/PrinFlight.h"

#include "reports/FRFlight.h"

TfrmPrintFlight::TfrmPrintFlight(QWidget* owner, TCrudController* crud)
    : TfrmPrintReport(
          "frmPrintFlight", QStringLiteral("Отчет по рейсам"),
          []() -> TfrmReportHost* { return frmFRFlight; }, owner, crud) {}
