#pragma once

#include "reports/PrintReport.h"

// "Отчет по маршрутам": the launch window of the report host frmFRRoute.
class TfrmPrintRoute : public TfrmPrintReport {
    Q_OBJECT
public:
    TfrmPrintRoute(QWidget* owner, TCrudController* crud);
};
