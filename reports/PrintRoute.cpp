#include "reports/PrintRoute.h"

#include "reports/FRRoute.h"

TfrmPrintRoute::TfrmPrintRoute(QWidget* owner, TCrudController* crud)
    : TfrmPrintReport(
          "frmPrintRoute", QStringLiteral("Отчет по маршрутам"),
          []() -> TfrmReportHost* { return frmFRRoute; }, owner, crud) {}
