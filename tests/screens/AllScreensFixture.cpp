#include "AllScreensFixture.h"

#include "data/CardDm.h"
#include "data/ClientsDm.h"
#include "screens/Orders.h"

TScreenCase AllScreensFixture::screen(const QString& name) {
    if (name == QLatin1String("flights"))
        return {.Name = "flights",
                .Create =
                    [this](ScreensFixture&) {
                        return std::unique_ptr<TListForm>(
                            createForm<TfrmFlight>(flight, route, air, airList.get(), routeList.get()));
                    },
                .DataSet = [this](ScreensFixture&) -> TDataSet* { return flight->tbl; },
                .Table = QStringLiteral("tblFlight"),
                .EditWindow = QStringLiteral("frmFlightEdit"),
                .SaveButton = QStringLiteral("btnSave"),
                .Valid = {{QStringLiteral("cbAir"), textOf(air->tbl, 2, QStringLiteral("ToString"))},
                          {QStringLiteral("cbRoute"), textOf(route->tbl, 5, QStringLiteral("airToString"))},
                          {QStringLiteral("editDateStart"), QStringLiteral("01.02.2020")},
                          {QStringLiteral("editTimeStart"), QStringLiteral("0745")}},
                .KeyField = QStringLiteral("air_id")};
    if (name == QLatin1String("sales"))
        return {.Name = "sales",
                .Create =
                    [this](ScreensFixture&) {
                        flightsList.reset(
                            createForm<TfrmFlight>(flight, route, air, airList.get(), routeList.get()));
                        return std::unique_ptr<TListForm>(createForm<TfrmOrders>(
                            orders, flight, clients, card, clientsList.get(), flightsList.get()));
                    },
                .DataSet = [this](ScreensFixture&) -> TDataSet* { return orders->tbl; },
                .Table = QStringLiteral("tblOrders"),
                .EditWindow = QStringLiteral("frmOrdersEdit"),
                .SaveButton = QStringLiteral("btnSave"),
                .Valid = {{QStringLiteral("cbClient"), textOf(clients->tbl, 2, QStringLiteral("c_fio"))},
                          {QStringLiteral("cbFlight"), textOf(flight->tbl, 3, QStringLiteral("ToString"))},
                          {QStringLiteral("cbCard"), textOf(card->tbl, 2, QStringLiteral("names"))},
                          {QStringLiteral("editMesto"), QStringLiteral("4D")}},
                .KeyField = QStringLiteral("clients_id")};
    for (TScreenCase (*reference)() :
         {employeesScreen, routesScreen, clientsScreen, ticketTypesScreen, airlinersScreen}) {
        TScreenCase found = reference();
        if (name == QLatin1String(found.Name))
            return found;
    }
    ADD_FAILURE() << "no screen " << name.toStdString();
    return {};
}

TDataSet* AllScreensFixture::open(const TScreenCase& screen) {
    list = screen.Create(*this);
    return screen.DataSet(*this);
}
