#pragma once

#include "ui/Form.h"

// Windows of the start-up whose own classes are not written yet: until then
// each is a plain window with its caption. When a window's class lands, its
// header declares the instance with its real type and its line goes from here.
extern TForm* frmFRRoute;
extern TForm* frmFRFlight;
extern TForm* frmFROrders;
