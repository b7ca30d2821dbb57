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

void TfrxEngineUi::showHandlerError(const std::exception& error) {
    showError(QStringLiteral("Error"), QString::fromUtf8(error.what()));
}

void TfrxEngineUi::runHandler(TfrxEngineUi* ui, const std::function<void()>& handler) {
    try {
        handler();
    } catch (const std::exception& error) {
        if (ui)
            ui->showHandlerError(error);
        else
            qWarning("%s", error.what());
    }
}
