#include "reports/PrintOrders.h"

#include "reports/FROrders.h"

TfrmPrintOrders::TfrmPrintOrders(QWidget* owner, TCrudController* crud)
    : TfrmPrintReport(
          "frmPrintOrders", QStringLiteral("Отчет по продажам"),
          []() -> TfrmReportHost* { return frmFROrders; }, owner, crud) {}
