#pragma once

#include "reports/PrintReport.h"

// "Отчет по продажам": the launch window of the report host frmFROrders.
class TfrmPrintOrders : public TfrmPrintReport {
    Q_OBJECT
public:
    TfrmPrintOrders(QWidget* owner, TCrudController* crud);
};
