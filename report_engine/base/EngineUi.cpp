#include "report_engine/base/EngineUi.h"

namespace {
TfrxEngineUi* installedUi = nullptr;
}

TfrxEngineUi* TfrxEngineUi::installed() {
    return installedUi;
}

void TfrxEngineUi::install(TfrxEngineUi* ui) {
    installedUi = ui;
}
