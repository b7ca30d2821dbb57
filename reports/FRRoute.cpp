#include "reports/FRRoute.h"

#include "data/DataSet.h"
#include "data/RouteDm.h"

TfrmFRRoute* frmFRRoute = nullptr;

TfrmFRRoute::TfrmFRRoute(TdmRoute* module, QWidget* owner)
    : TfrmReportHost("frmFRRoute", "routes", module->tbl, owner) {}
