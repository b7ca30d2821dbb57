#include "screens/Flight.h"

#include "data/AirDm.h"
#include "data/DataSet.h"
#include "data/FlightDm.h"
#include "data/RouteDm.h"
#include "framework/CrudController.h"
#include "framework/DateBetween.h"
#include "reports/PrinFlight.h"
#include "screens/Chooser.h"
#include "screens/FlightEdit.h"
#include "ui/DBLookupComboBox.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

TfrmFlight* frmFlight = nullptr;

namespace {

const Qt::Alignment Centred = Qt::AlignCenter;

// "Количество" orders the flights by the seats left on them, fewest first, so
// a clerk sees first the flights that are about to sell out.
TListWindow listWindow() {
    return {
        .Name = "frmFlight",
        .Caption = QStringLiteral("Рейсы"),
        .EntityMenu = QStringLiteral("Рейс"),
        .Tools = {"tbtnAdd", "tbtnEdit", "tbtnDel", "ToolButton4", "tbtnPrint", "ToolButton6", "tbtnClose"},
        .Search = {{"editKod", QStringLiteral("№ рейса:"), QStringLiteral("id"), TSearchTerm::Equals, true}},
        .Columns = {{QStringLiteral("id"), QStringLiteral("№ рейса"), -1, Centred},
                    {QStringLiteral("air_id"), QString(), -1, Centred, false},
                    {QStringLiteral("route_id"), QString(), -1, Centred, false},
                    {QStringLiteral("dateStart"), QStringLiteral("Дата"), -1, Centred},
                    {QStringLiteral("timeStart"), QStringLiteral("Время"), 100, Centred},
                    {QStringLiteral("isActive"), QStringLiteral("Открыт"), 58, Centred},
                    {QStringLiteral("route.ToString"), QStringLiteral("Маршрут"), 386},
                    {QStringLiteral("air.ToString"), QStringLiteral("Авиалайнер"), 395}},
        .Sorts = {{"mnuSortId", QStringLiteral("№ рейса"), QStringLiteral("id")},
                  {"mnuSortDate", QStringLiteral("Дата отправки"), QStringLiteral("dateStart")},
                  {"mnuSortCounts", QStringLiteral("Количество"), QStringLiteral("counts")}},
        .HasReport = true,
        .CreateReportForm = [](QWidget* owner, TCrudController* crud) -> TForm* {
            return createForm<TfrmPrintFlight>(owner, crud);
        },
        .SearchOnCreate = false,
        // Across the top, so that the grid has the window's whole width.
        .SearchAbove = true,
    };
}

} // namespace

TfrmFlight::TfrmFlight(TdmFlight* module, TdmRoute* route, TdmAir* air, TForm* airList, TForm* routeList,
                       QWidget* owner)
    : TListForm(listWindow(), module->tbl, module->ds, owner), FModule(module), FRoute(route), FAir(air),
      FAirList(airList), FRouteList(routeList) {
    cbRoute = TChooser::create(this, "cbRoute", route->ds, QStringLiteral("airToString"));
    addSearchControl(QStringLiteral("Маршрут:"), cbRoute);
    cbAir = TChooser::create(this, "cbAir", air->ds, QStringLiteral("ToString"));
    addSearchControl(QStringLiteral("Самолет:"), cbAir);
    gbDatestamp = new QGroupBox(this);
    gbDatestamp->setObjectName(QStringLiteral("gbDatestamp"));
    gbDatestamp->setFlat(true);
    FDatestamp = new TframeDateBetween(this, gbDatestamp, QStringLiteral("По дате отправки"));
    addSearchControl(QString(), gbDatestamp);
    buildStatusGroup();
}

void TfrmFlight::buildStatusGroup() {
    gbStatus = new QGroupBox(QStringLiteral("Статус рейса"), this);
    gbStatus->setObjectName(QStringLiteral("gbStatus"));
    auto* layout = new QVBoxLayout(gbStatus);
    const auto radio = [this, layout](const char* name, const QString& caption) {
        auto* button = new QRadioButton(caption, gbStatus);
        button->setObjectName(QString::fromLatin1(name));
        layout->addWidget(button);
        return button;
    };
    rbStatusAll = radio("rbStatusAll", QStringLiteral("Все"));
    rbStatusOpen = radio("rbStatusOpen", QStringLiteral("Открытые"));
    rbStatusClose = radio("rbStatusClose", QStringLiteral("Закрытые"));
    rbStatusAll->setChecked(true);
    addSearchControl(QString(), gbStatus);
}

TEditForm* TfrmFlight::createEditForm() {
    return new TfrmFlightEdit(this, FCrud.get(), FModule->ds, FAir->ds, FRoute->ds, FAirList, FRouteList);
}

// The number first (the base's box), then the dates, route, airliner and status.
void TfrmFlight::addSearchTerms() {
    TListForm::addSearchTerms();
    FCrud->filter.AddBetween(QStringLiteral("dateStart"), FDatestamp->GetDateFirst(),
                             FDatestamp->GetDateLast());
    FCrud->filter.AddParamsQuery(TChooser::keyText(cbRoute), QStringLiteral("route_id"), QStringLiteral("="));
    FCrud->filter.AddParamsQuery(TChooser::keyText(cbAir), QStringLiteral("air_id"), QStringLiteral("="));
    setFilterStatusFlight();
}

void TfrmFlight::setFilterStatusFlight() {
    if (rbStatusOpen->isChecked())
        FCrud->filter.AddParamsQuery(QStringLiteral("1"), QStringLiteral("isActive"), QStringLiteral("="));
    else if (rbStatusClose->isChecked())
        FCrud->filter.AddParamsQuery(QStringLiteral("0"), QStringLiteral("isActive"), QStringLiteral("="));
}

void TfrmFlight::clearSearch() {
    TListForm::clearSearch();
    TChooser::clear(cbAir);
    TChooser::clear(cbRoute);
    rbStatusAll->setChecked(true);
    FDatestamp->ClearDate();
}
