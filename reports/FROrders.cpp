#include "reports/FROrders.h"

#include "data/DataSet.h"
#include "data/OrdersDm.h"

TfrmFROrders* frmFROrders = nullptr;

TfrmFROrders::TfrmFROrders(TdmOrders* module, QWidget* owner)
    : TfrmReportHost("frmFROrders", "orders", module->tbl, owner) {}
