#pragma once

#include "reports/ReportHost.h"

class TdmRoute;

// The report host of the routes list, "Список маршрутов".
class TfrmFRRoute : public TfrmReportHost {
    Q_OBJECT
public:
    explicit TfrmFRRoute(TdmRoute* module, QWidget* owner = nullptr);
};

extern TfrmFRRoute* frmFRRoute;
