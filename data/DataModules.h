#pragma once

#include <QStringList>
#include <functional>
#include <memory>
#include <vector>

class QObject;
class TConnection;
class TdmAir;
class TdmCard;
class TdmClients;
class TdmFlight;
class TdmLeavings;
class TdmOrders;
class TdmRoute;
class TdmSotrudnik;

// The eight entity data modules of one connection, made in the order their
// lookups need: each is given the tables made before it that it looks up.
// Making them opens nothing; their tables open one after another in the same
// order, so that start-up can make its windows in between, and close in the
// reverse order when the modules go. The flights' seats left are bound to the
// seat balance only where a list shows them (TdmFlight::bindLeavings): a
// report has no use for them and needs no seat balance to run.
class TDataModules {
    struct TModule {
        std::unique_ptr<QObject> Module;
        std::function<void()> Open;
    };
    // Declared first: the modules below are made into it, in their order.
    std::vector<TModule> FModules;

public:
    explicit TDataModules(TConnection& connection);
    ~TDataModules();
    TDataModules(const TDataModules&) = delete;
    TDataModules& operator=(const TDataModules&) = delete;

    // Opens the next module's tables. Ones that cannot be opened throw
    // EDatabaseError and stay closed; the next call goes on with the module
    // after it.
    void openNext();
    // Opens every module not yet opened. A table that cannot be opened stays
    // closed and the others open all the same; its error is returned as
    // "dmCard: text", one line each.
    QStringList openAll();

    TdmSotrudnik* const dmSotrudnik;
    TdmCard* const dmCard;
    TdmRoute* const dmRoute;
    TdmAir* const dmAir;
    TdmClients* const dmClients;
    TdmFlight* const dmFlight;
    TdmLeavings* const dmLeavings;
    TdmOrders* const dmOrders;

private:
    template <class T> T* add(T* module);

    size_t FOpened = 0;
};
