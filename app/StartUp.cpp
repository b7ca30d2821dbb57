#include "app/StartUp.h"

#include "app/EntryPoint.h"
#include "app/MainDm.h"
#include "app/ResourceIcon.h"
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
#include "framework/DateSelect.h"
#include "reports/FRFlight.h"
#include "reports/FROrders.h"
#include "reports/FRRoute.h"
#include "reports/ReportFormatSettings.h"
#include "screens/Air.h"
#include "screens/Card.h"
#include "screens/Clients.h"
#include "screens/Flight.h"
#include "screens/Orders.h"
#include "screens/Route.h"
#include "screens/Sotrudnik.h"
#include "ui/DialogService.h"
#include "ui/Style.h"

#include <QApplication>
#include <ranges>

namespace {

// One creation step: the global instance it fills and how.
struct TCreationStep {
    const char* Instance;
    bool (*Create)(TStartUp&);
};

const TCreationStep CreationSteps[] = {
    {"frmEntry", [](TStartUp& s) { return s.create(frmEntry); }},
    {"dm", [](TStartUp& s) { return s.createMainDm(); }},
    {"dmSotrudnik", [](TStartUp& s) { return s.createModule(dmSotrudnik, &dm->connect); }},
    {"dmCard", [](TStartUp& s) { return s.createModule(dmCard, &dm->connect); }},
    {"frmCard", [](TStartUp& s) { return s.create(frmCard, dmCard); }},
    {"frmSotrudnik", [](TStartUp& s) { return s.create(frmSotrudnik, dmSotrudnik); }},
    {"frmDateSelect", [](TStartUp& s) { return s.create(frmDateSelect); }},
    {"dmRoute", [](TStartUp& s) { return s.createModule(dmRoute, &dm->connect); }},
    {"frmRoute", [](TStartUp& s) { return s.create(frmRoute, dmRoute); }},
    {"frmFRRoute", [](TStartUp& s) { return s.create(frmFRRoute); }},
    {"frmResourceIcon", [](TStartUp& s) { return s.create(frmResourceIcon); }},
    {"dmAir", [](TStartUp& s) { return s.createModule(dmAir, &dm->connect, dmSotrudnik->tbl); }},
    {"dmClients", [](TStartUp& s) { return s.createModule(dmClients, &dm->connect); }},
    {"frmClients", [](TStartUp& s) { return s.create(frmClients, dmClients); }},
    {"frmAir", [](TStartUp& s) { return s.create(frmAir, dmAir, dmSotrudnik); }},
    {"dmFlight",
     [](TStartUp& s) { return s.createModule(dmFlight, &dm->connect, dmRoute->tbl, dmAir->tbl); }},
    {"frmFlight",
     [](TStartUp& s) { return s.create(frmFlight, dmFlight, dmRoute, dmAir, frmAir, frmRoute); }},
    {"frmFRFlight", [](TStartUp& s) { return s.create(frmFRFlight); }},
    {"dmLeavings",
     [](TStartUp& s) {
         s.createModule(dmLeavings, &dm->connect);
         dmFlight->bindLeavings(dmLeavings);
         return true;
     }},
    {"dmOrders",
     [](TStartUp& s) {
         return s.createModule(dmOrders, &dm->connect, dmFlight->tbl, dmClients->tbl, dmCard->tbl,
                               dmLeavings);
     }},
    {"frmOrders",
     [](TStartUp& s) {
         return s.create(frmOrders, dmOrders, dmFlight, dmClients, dmCard, frmClients, frmFlight);
     }},
    {"frmFROrders", [](TStartUp& s) { return s.create(frmFROrders); }},
};

} // namespace

TStartUp::TStartUp(QString databaseFile) : FDatabaseFile(std::move(databaseFile)) {}

TStartUp::~TStartUp() {
    for (const auto& release : std::views::reverse(FReleases))
        release();
    if (TfrxEngineUi::installed() == &FReportScreen)
        TfrxEngineUi::install(nullptr);
}

bool TStartUp::start(QApplication& application) {
    FLanguage.install(application);
    applyStyle(application);
    TfrxEngineUi::install(&FReportScreen);
    installReportFormatSettings();
    if (!createObjects())
        return false;
    frmEntry->show();
    return true;
}

int TStartUp::run(QApplication& application) {
    if (!start(application))
        return 0;
    return application.exec();
}

QStringList TStartUp::creationOrder() {
    QStringList names;
    for (const TCreationStep& step : CreationSteps)
        names.append(QString::fromLatin1(step.Instance));
    return names;
}

bool TStartUp::createObjects() {
    for (const TCreationStep& step : CreationSteps)
        if (!step.Create(*this))
            return false;
    return true;
}

namespace {

// A creation handler that fails is reported through the general error report
// and creation goes on: the object stays, as far as it got.
void reportFailure(const std::function<void()>& creationHandler) {
    try {
        creationHandler();
    } catch (const Exception& error) {
        dialogs().showError(error.Message());
    }
}

} // namespace

template <class T> void TStartUp::remember(T*& instance) {
    FReleases.push_back([&instance] {
        delete instance;
        instance = nullptr;
    });
}

template <class T, class... TArgs> bool TStartUp::create(T*& instance, TArgs&&... args) {
    instance = new T(std::forward<TArgs>(args)...);
    remember(instance);
    reportFailure([&instance] { instance->created(); });
    bindImages(*instance);
    return true;
}

bool TStartUp::createMainDm() {
    dm = new Tdm(FDatabaseFile);
    remember(dm);
    return dm->load();
}

template <class T, class... TArgs> bool TStartUp::createModule(T*& instance, TArgs&&... args) {
    instance = new T(std::forward<TArgs>(args)...);
    remember(instance);
    reportFailure([&instance] { instance->DataModuleCreate(instance); });
    return true;
}

// A window made after the icon container takes its tool bar images at once;
// those made before get them when the container is made.
void TStartUp::bindImages(TForm& form) const {
    if (frmResourceIcon)
        frmResourceIcon->bindImages(form);
}
