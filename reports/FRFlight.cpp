#include "reports/FRFlight.h"

TfrmFRFlight* frmFRFlight = nullptr;
