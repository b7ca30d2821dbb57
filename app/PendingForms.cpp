#include "app/PendingForms.h"

TForm* frmCard = nullptr;
TForm* frmFRRoute = nullptr;
TForm* frmClients = nullptr;
TForm* frmAir = nullptr;
TForm* frmFRFlight = nullptr;
TForm* frmFROrders = nullptr;
