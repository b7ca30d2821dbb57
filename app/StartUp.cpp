#include "app/StartUp.h"

#include "app/EntryPoint.h"
#include "app/MainDm.h"
#include "app/PendingForms.h"
#include "app/ResourceIcon.h"
#include "ui/Style.h"

#include <QApplication>
#include <ranges>

namespace {

// One creation step: the global instance it fills and how; no function yet
// for the data modules still to be written, which are skipped until then.
struct TCreationStep {
    const char* Instance;
    bool (*Create)(TStartUp&);
};

const TCreationStep CreationSteps[] = {
    {"frmEntry", [](TStartUp& s) { return s.create(frmEntry); }},
    {"dm", [](TStartUp& s) { return s.createDm(); }},
    {"dmSotrudnik", nullptr},
    {"dmCard", nullptr},
    {"frmCard",
     [](TStartUp& s) { return s.createPlaceholder(frmCard, "frmCard", "Справочник типов билетов"); }},
    {"frmSotrudnik",
     [](TStartUp& s) { return s.createPlaceholder(frmSotrudnik, "frmSotrudnik", "Сотрудники"); }},
    {"frmDateSelect",
     [](TStartUp& s) { return s.createPlaceholder(frmDateSelect, "frmDateSelect", "Выбор диапазона дат"); }},
    {"dmRoute", nullptr},
    {"frmRoute", [](TStartUp& s) { return s.createPlaceholder(frmRoute, "frmRoute", "Маршруты"); }},
    {"frmFRRoute",
     [](TStartUp& s) { return s.createPlaceholder(frmFRRoute, "frmFRRoute", "Предварительный просмотр"); }},
    {"frmResourceIcon", [](TStartUp& s) { return s.create(frmResourceIcon); }},
    {"dmAir", nullptr},
    {"dmClients", nullptr},
    {"frmClients", [](TStartUp& s) { return s.createPlaceholder(frmClients, "frmClients", "Клиенты"); }},
    {"frmAir", [](TStartUp& s) { return s.createPlaceholder(frmAir, "frmAir", "Авиалайнеры"); }},
    {"dmFlight", nullptr},
    {"frmFlight", [](TStartUp& s) { return s.createPlaceholder(frmFlight, "frmFlight", "Рейсы"); }},
    {"frmFRFlight",
     [](TStartUp& s) { return s.createPlaceholder(frmFRFlight, "frmFRFlight", "Предварительный просмотр"); }},
    {"dmLeavings", nullptr},
    {"dmOrders", nullptr},
    {"frmOrders", [](TStartUp& s) { return s.createPlaceholder(frmOrders, "frmOrders", "Продажи билетов"); }},
    {"frmFROrders",
     [](TStartUp& s) { return s.createPlaceholder(frmFROrders, "frmFROrders", "Предварительный просмотр"); }},
};

} // namespace

TStartUp::TStartUp(QString databaseFile) : FDatabaseFile(std::move(databaseFile)) {}

TStartUp::~TStartUp() {
    for (const auto& release : std::views::reverse(FReleases))
        release();
}

bool TStartUp::start(QApplication& application) {
    applyStyle(application);
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
        if (step.Create && !step.Create(*this))
            return false;
    return true;
}

template <class T> bool TStartUp::create(T*& instance) {
    instance = createForm<T>();
    remember([&instance] {
        delete instance;
        instance = nullptr;
    });
    bindImages(*instance);
    return true;
}

bool TStartUp::createDm() {
    dm = new Tdm(FDatabaseFile);
    remember([] {
        delete dm;
        dm = nullptr;
    });
    return dm->load();
}

bool TStartUp::createPlaceholder(TForm*& instance, const char* name, const QString& caption) {
    create(instance);
    instance->setObjectName(QString::fromLatin1(name));
    instance->setWindowTitle(caption);
    return true;
}

// A window made after the icon container takes its tool bar images at once;
// those made before get them when the container is made.
void TStartUp::bindImages(TForm& form) const {
    if (frmResourceIcon)
        frmResourceIcon->bindImages(form);
}
