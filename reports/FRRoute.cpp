#include "reports/FRRoute.h"

TfrmFRRoute* frmFRRoute = nullptr;
