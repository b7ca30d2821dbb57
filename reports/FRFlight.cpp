#include "reports/FRFlight.h"

#include "data/DataSet.h"
#include "data/FlightDm.h"

TfrmFRFlight* frmFRFlight = nullptr;

TfrmFRFlight::TfrmFRFlight(TdmFlight* module, QWidget* owner)
    : TfrmReportHost("frmFRFlight", "flights", module->tbl, owner) {}
