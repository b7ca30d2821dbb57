#include "app/PendingForms.h"

TForm* frmCard = nullptr;
TForm* frmSotrudnik = nullptr;
TForm* frmRoute = nullptr;
TForm* frmFRRoute = nullptr;
TForm* frmClients = nullptr;
TForm* frmAir = nullptr;
TForm* frmFlight = nullptr;
TForm* frmFRFlight = nullptr;
TForm* frmOrders = nullptr;
TForm* frmFROrders = nullptr;
