#pragma once

#include "BenchClock.h"
#include "data/DataModules.h"
#include "data/DataSet.h"
#include "data/OrdersDm.h"

// Opens every data module as the program does, then times the sales table's
// own opening, read a second time as the program rereads it. Returns seconds.
inline double openModulesTimingSales(TDataModules& modules) {
    modules.openAll();
    modules.dmOrders->tbl->Close();
    TBenchClock clock;
    modules.dmOrders->initTable(true);
    return clock.lap();
}
