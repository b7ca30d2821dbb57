#pragma once

#include "data/AirDm.h"
#include "data/CardDm.h"
#include "data/ClientsDm.h"
#include "data/DataModules.h"
#include "data/FlightDm.h"
#include "data/LeavingsDm.h"
#include "data/OrdersDm.h"
#include "data/RouteDm.h"
#include "data/SotrudnikDm.h"

// The short names tests give the eight data modules of their office; the
// modules themselves are owned by a TDataModules.
struct TModuleNames {
    void nameModules(const TDataModules& modules) {
        sotrudnik = modules.dmSotrudnik;
        card = modules.dmCard;
        route = modules.dmRoute;
        air = modules.dmAir;
        clients = modules.dmClients;
        flight = modules.dmFlight;
        leavings = modules.dmLeavings;
        orders = modules.dmOrders;
    }

    TdmSotrudnik* sotrudnik = nullptr;
    TdmCard* card = nullptr;
    TdmRoute* route = nullptr;
    TdmAir* air = nullptr;
    TdmClients* clients = nullptr;
    TdmFlight* flight = nullptr;
    TdmLeavings* leavings = nullptr;
    TdmOrders* orders = nullptr;
};
