#include "app/PendingForms.h"

TForm* frmFRRoute = nullptr;
TForm* frmFRFlight = nullptr;
TForm* frmFROrders = nullptr;
