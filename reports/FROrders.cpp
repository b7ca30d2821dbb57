#include "reports/FROrders.h"

TfrmFROrders* frmFROrders = nullptr;
