#include "screens/Orders.h"

#include "data/CardDm.h"
#include "data/ClientsDm.h"
#include "data/DataSet.h"
#include "data/FlightDm.h"
#include "data/OrdersDm.h"
#include "framework/CrudController.h"
#include "reports/PrintOrders.h"
#include "screens/Chooser.h"
#include "screens/OrdersEdit.h"
#include "ui/DBLookupComboBox.h"

TfrmOrders* frmOrders = nullptr;

namespace {

const Qt::Alignment Centred = Qt::AlignCenter;

TListWindow listWindow() {
    return {
        .Name = "frmOrders",
        .Caption = QStringLiteral("Продажи билетов"),
        .EntityMenu = QStringLiteral("Продажа"),
        .Tools = {"tbtnAdd", "tbtnDel", "ToolButton4", "tbtnPrint", "ToolButton6", "tbtnClose"},
        .Search = {{"editKod", QStringLiteral("№ продажи:"), QStringLiteral("id"), TSearchTerm::Equals,
                    true}},
        .Columns = {{QStringLiteral("id"), QStringLiteral("№ продажи"), 72, Centred},
                    {QStringLiteral("flight.ToString"), QStringLiteral("Рейс"), 404},
                    {QStringLiteral("mesto"), QStringLiteral("Место"), 65, Centred},
                    {QStringLiteral("counts"), QString(), -1, Centred, false},
                    {QStringLiteral("clients.c_fio"), QStringLiteral("ФИО клиента"), 198},
                    {QStringLiteral("clients.phones"), QStringLiteral("Телефон"), 111},
                    {QStringLiteral("cards.names"), QStringLiteral("Тип билета"), 136},
                    {QStringLiteral("route.price"), QStringLiteral("Базовая цена"), -1, Centred},
                    {QStringLiteral("itogo"), QStringLiteral("Итого"), 68, Centred}},
        .Sorts = {{"mnuSortId", QStringLiteral("№ продажи"), QStringLiteral("id")}},
        .HasReport = true,
        .CreateReportForm = [](QWidget* owner, TCrudController* crud) -> TForm* {
            return createForm<TfrmPrintOrders>(owner, crud);
        },
        .SearchOnCreate = false,
        // Across the top, so that the grid has the window's whole width.
        .SearchAbove = true,
        .HasEdit = false,
    };
}

} // namespace

TfrmOrders::TfrmOrders(TdmOrders* module, TdmFlight* flight, TdmClients* clients, TdmCard* card,
                       TForm* clientsList, TForm* flightsList, QWidget* owner)
    : TListForm(listWindow(), module->tbl, module->ds, owner), FModule(module), FFlight(flight),
      FClients(clients), FCard(card), FClientsList(clientsList), FFlightsList(flightsList) {
    cbFlight = TChooser::create(this, "cbFlight", flight->ds, QStringLiteral("ToString"));
    addSearchControl(QStringLiteral("Рейс:"), cbFlight);
    cbClient = TChooser::create(this, "cbClient", clients->ds, QStringLiteral("c_fio"));
    addSearchControl(QStringLiteral("Клиент:"), cbClient);
}

TEditForm* TfrmOrders::createEditForm() {
    return new TfrmOrdersEdit(this, FCrud.get(), FModule, FClients->ds, FFlight->ds, FCard->ds, FClientsList,
                              FFlightsList);
}

// The number first (the base's box), then the flight and the client.
void TfrmOrders::addSearchTerms() {
    TListForm::addSearchTerms();
    FCrud->filter.AddParamsQuery(TChooser::keyText(cbFlight), QStringLiteral("flight_id"),
                                 QStringLiteral("="));
    FCrud->filter.AddParamsQuery(TChooser::keyText(cbClient), QStringLiteral("clients_id"),
                                 QStringLiteral("="));
}

void TfrmOrders::clearSearch() {
    TListForm::clearSearch();
    TChooser::clear(cbFlight);
    TChooser::clear(cbClient);
}
