#include "screens/Route.h"

#include "data/DataSet.h"
#include "data/RouteDm.h"
#include "reports/PrintRoute.h"
#include "screens/RouteEdit.h"

TfrmRoute* frmRoute = nullptr;

namespace {

const Qt::Alignment Centred = Qt::AlignCenter;

TListWindow listWindow() {
    return {
        .Name = "frmRoute",
        .Caption = QStringLiteral("Маршруты"),
        .EntityMenu = QStringLiteral("Маршрут"),
        .Tools = {"tbtnAdd", "tbtnEdit", "tbtnDel", "ToolButton4", "tbtnReport", "ToolButton2", "tbtnClose"},
        .Search = {{"editKod", QStringLiteral("№ маршрута:"), QStringLiteral("id"), TSearchTerm::Equals,
                    true},
                   {"editAirStart", QStringLiteral("Место отправления:"), QStringLiteral("airStart")},
                   {"editAirTarget", QStringLiteral("Место назначения:"), QStringLiteral("airTarget")}},
        .Columns = {{QStringLiteral("id"), QStringLiteral("№ маршрута"), 87, Centred},
                    {QStringLiteral("airStart"), QStringLiteral("Место отправления"), 205},
                    {QStringLiteral("airTarget"), QStringLiteral("Место назначения"), 194},
                    {QStringLiteral("price"), QStringLiteral("Базовая стоимость"), 124, Centred},
                    {QStringLiteral("times"), QStringLiteral("Время полета, мин."), 126, Centred}},
        .Sorts = {{"mnuFieldSort", QStringLiteral("№ маршрута"), QStringLiteral("id")},
                  {"mnuNames", QStringLiteral("Место отправления"), QStringLiteral("airStart")},
                  {"mnuSortTarget", QStringLiteral("Место назначения"), QStringLiteral("airTarget")}},
        .HasReport = true,
        .CreateReportForm = [](QWidget* owner, TCrudController* crud) -> TForm* {
            return createForm<TfrmPrintRoute>(owner, crud);
        },
        // The routes open in the data module's own order, unfiltered.
        .SearchOnCreate = false,
    };
}

} // namespace

TfrmRoute::TfrmRoute(TdmRoute* module, QWidget* owner)
    : TListForm(listWindow(), module->tbl, module->ds, owner), FModule(module) {}

TEditForm* TfrmRoute::createEditForm() {
    return new TfrmRouteEdit(this, FCrud.get(), FModule->ds);
}
