#pragma once

#include "reports/ReportHost.h"

// The report host of the routes list, "Список маршрутов".
class TfrmFRRoute : public TfrmReportHost {
    Q_OBJECT
public:
    explicit TfrmFRRoute(QWidget* owner = nullptr) : TfrmReportHost("frmFRRoute", "routes", owner) {}
};

extern TfrmFRRoute* frmFRRoute;
