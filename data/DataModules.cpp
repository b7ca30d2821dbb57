#include "data/DataModules.h"

#include "data/AirDm.h"
#include "data/CardDm.h"
#include "data/ClientsDm.h"
#include "data/DataSet.h"
#include "data/Exception.h"
#include "data/FlightDm.h"
#include "data/LeavingsDm.h"
#include "data/OrdersDm.h"
#include "data/RouteDm.h"
#include "data/SotrudnikDm.h"

#include <functional>

QStringList createDataModules(TConnection* connection) {
    QStringList errors;
    const auto open = [&errors](const std::function<void()>& create) {
        try {
            create();
        } catch (const EDatabaseError& e) {
            errors << e.Message();
        }
    };
    dmSotrudnik = new TdmSotrudnik(connection);
    open([] { dmSotrudnik->DataModuleCreate(dmSotrudnik); });
    dmCard = new TdmCard(connection);
    open([] { dmCard->DataModuleCreate(dmCard); });
    dmRoute = new TdmRoute(connection);
    open([] { dmRoute->DataModuleCreate(dmRoute); });
    dmAir = new TdmAir(connection, dmSotrudnik->tbl);
    open([] { dmAir->DataModuleCreate(dmAir); });
    dmClients = new TdmClients(connection);
    open([] { dmClients->DataModuleCreate(dmClients); });
    dmFlight = new TdmFlight(connection, dmRoute->tbl, dmAir->tbl);
    open([] { dmFlight->DataModuleCreate(dmFlight); });
    dmLeavings = new TdmLeavings(connection);
    open([] { dmLeavings->DataModuleCreate(dmLeavings); });
    dmOrders = new TdmOrders(connection, dmFlight->tbl, dmClients->tbl, dmCard->tbl, dmLeavings);
    open([] { dmOrders->DataModuleCreate(dmOrders); });
    return errors;
}
