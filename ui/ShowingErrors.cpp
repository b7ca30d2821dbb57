#include "ui/ShowingErrors.h"

#include "data/Exception.h"
#include "ui/DialogService.h"

void showException(const std::exception& error) {
    const auto* own = dynamic_cast<const Exception*>(&error);
    dialogs().showError(own ? own->Message() : QString::fromUtf8(error.what()));
}

bool runShowingErrors(const std::function<void()>& handler) {
    try {
        handler();
        return true;
    } catch (const std::exception& error) {
        showException(error);
        return false;
    }
}
