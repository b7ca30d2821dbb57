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

TDataModules::TDataModules(TConnection& connection)
    : dmSotrudnik(add(new TdmSotrudnik(&connection))), dmCard(add(new TdmCard(&connection))),
      dmRoute(add(new TdmRoute(&connection))), dmAir(add(new TdmAir(&connection, dmSotrudnik->tbl))),
      dmClients(add(new TdmClients(&connection))),
      dmFlight(add(new TdmFlight(&connection, dmRoute->tbl, dmAir->tbl))),
      dmLeavings(add(new TdmLeavings(&connection))),
      dmOrders(add(new TdmOrders(&connection, dmFlight->tbl, dmClients->tbl, dmCard->tbl, dmLeavings))) {}

// A table is closed before the tables it looks up, so nothing reads a table
// already gone; the modules go in the same order.
TDataModules::~TDataModules() {
    // Reverse iterators rather than a reversed view: clang, which builds the
    // sanitized tests, cannot compile the standard library's views.
    for (auto module = FModules.rbegin(); module != FModules.rend(); ++module)
        for (TDataSet* dataSet : module->Module->findChildren<TDataSet*>())
            dataSet->Close();
    while (!FModules.empty())
        FModules.pop_back();
}

template <class T> T* TDataModules::add(T* module) {
    FModules.push_back({std::unique_ptr<QObject>(module), [module] { module->DataModuleCreate(module); }});
    return module;
}

void TDataModules::openNext() {
    if (FOpened < FModules.size())
        FModules[FOpened++].Open();
}

QStringList TDataModules::openAll() {
    QStringList errors;
    while (FOpened < FModules.size()) {
        const QObject& module = *FModules[FOpened].Module;
        try {
            openNext();
        } catch (const EDatabaseError& e) {
            errors << module.objectName() + QStringLiteral(": ") + e.Message();
        }
    }
    return errors;
}
