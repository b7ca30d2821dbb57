#include "report_engine/EngineUi.h"

namespace {
TfrxEngineUi* installedUi = nullptr;
}

TfrxEngineUi* TfrxEngineUi::installed() {
    return installedUi;
}

void TfrxEngineUi::install(TfrxEngineUi* ui) {
    installedUi = ui;
}
