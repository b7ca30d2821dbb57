#pragma once

#include "ui/Form.h"

// Windows of the start-up whose own classes are not written yet: until then
// each is a plain window with its caption. When a window's class lands, its
// header declares the instance with its real type and its line goes from here.
extern TForm* frmCard;
extern TForm* frmFRRoute;
extern TForm* frmClients;
extern TForm* frmAir;
extern TForm* frmFRFlight;
extern TForm* frmFROrders;
