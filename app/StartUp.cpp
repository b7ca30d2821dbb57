#include "app/StartUp.h"

#include "app/EntryPoint.h"
#include "app/MainDm.h"
#include "app/ResourceIcon.h"
#include "data/DataModules.h"
#include "data/FlightDm.h"
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
#include "ui/ShowingErrors.h"
#include "ui/Style.h"

#include <QApplication>

namespace {

// One creation step: the global instance it fills and how.
struct TCreationStep {
    const char* Instance;
    bool (*Create)(TStartUp&);
};

const TCreationStep CreationSteps[] = {
    {"frmEntry", [](TStartUp& s) { return s.create(frmEntry); }},
    {"dm", [](TStartUp& s) { return s.createMainDm(); }},
    {"dmSotrudnik", [](TStartUp& s) { return s.openModule(); }},
    {"dmCard", [](TStartUp& s) { return s.openModule(); }},
    {"frmCard", [](TStartUp& s) { return s.create(frmCard, s.modules()->dmCard); }},
    {"frmSotrudnik", [](TStartUp& s) { return s.create(frmSotrudnik, s.modules()->dmSotrudnik); }},
    {"frmDateSelect", [](TStartUp& s) { return s.create(frmDateSelect); }},
    {"dmRoute", [](TStartUp& s) { return s.openModule(); }},
    {"frmRoute", [](TStartUp& s) { return s.create(frmRoute, s.modules()->dmRoute); }},
    {"frmFRRoute", [](TStartUp& s) { return s.create(frmFRRoute, s.modules()->dmRoute); }},
    {"frmResourceIcon", [](TStartUp& s) { return s.create(frmResourceIcon); }},
    {"dmAir", [](TStartUp& s) { return s.openModule(); }},
    {"dmClients", [](TStartUp& s) { return s.openModule(); }},
    {"frmClients", [](TStartUp& s) { return s.create(frmClients, s.modules()->dmClients); }},
    {"frmAir", [](TStartUp& s) { return s.create(frmAir, s.modules()->dmAir, s.modules()->dmSotrudnik); }},
    {"dmFlight", [](TStartUp& s) { return s.openModule(); }},
    {"frmFlight",
     [](TStartUp& s) {
         const TDataModules& m = *s.modules();
         return s.create(frmFlight, m.dmFlight, m.dmRoute, m.dmAir, frmAir, frmRoute);
     }},
    {"frmFRFlight", [](TStartUp& s) { return s.create(frmFRFlight, s.modules()->dmFlight); }},
    {"dmLeavings",
     [](TStartUp& s) {
         s.openModule();
         s.modules()->dmFlight->bindLeavings(s.modules()->dmLeavings);
         return true;
     }},
    {"dmOrders", [](TStartUp& s) { return s.openModule(); }},
    {"frmOrders",
     [](TStartUp& s) {
         const TDataModules& m = *s.modules();
         return s.create(frmOrders, m.dmOrders, m.dmFlight, m.dmClients, m.dmCard, frmClients, frmFlight);
     }},
    {"frmFROrders", [](TStartUp& s) { return s.create(frmFROrders, s.modules()->dmOrders); }},
};

} // namespace

TStartUp::TStartUp(QString databaseFile) : FDatabaseFile(std::move(databaseFile)) {}

TStartUp::~TStartUp() {
    // Reverse iterators rather than a reversed view: clang, which builds the
    // sanitized tests, cannot compile the standard library's views.
    for (auto release = FReleases.rbegin(); release != FReleases.rend(); ++release)
        (*release)();
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
    // A window manager gives a new window the keyboard; on a desktop without one
    // nobody does, and the keys typed at the main window would go nowhere.
    frmEntry->activateWindow();
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

template <class T> void TStartUp::remember(T*& instance) {
    FReleases.push_back([&instance] {
        delete instance;
        instance = nullptr;
    });
}

template <class T, class... TArgs> bool TStartUp::create(T*& instance, TArgs&&... args) {
    instance = new T(std::forward<TArgs>(args)...);
    remember(instance);
    // A creation handler that fails is shown and creation goes on: the object
    // stays, as far as it got.
    runShowingErrors([&instance] { instance->created(); });
    bindImages(*instance);
    return true;
}

// The data modules are made with the connection, and each opens its tables
// at its own step.
bool TStartUp::createMainDm() {
    dm = new Tdm(FDatabaseFile);
    remember(dm);
    if (!dm->load())
        return false;
    FModules = std::make_unique<TDataModules>(dm->connect);
    FReleases.push_back([this] { FModules.reset(); });
    return true;
}

bool TStartUp::openModule() {
    runShowingErrors([this] { FModules->openNext(); });
    return true;
}

// A window made after the icon container takes its tool bar images at once;
// those made before get them when the container is made.
void TStartUp::bindImages(TForm& form) const {
    if (frmResourceIcon)
        frmResourceIcon->bindImages(form);
}
