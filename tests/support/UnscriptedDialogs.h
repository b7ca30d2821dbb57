#pragma once

#include "ui/DialogService.h"

// The service of a test program while no test has installed its own. A real
// box or dialog would wait for a click that no one gives until the test's time
// runs out; instead each fails the running test at once, naming itself, and is
// answered as if cancelled.
class TUnscriptedDialogs : public TDialogService {
public:
    TMsgButton messageBox(const TMessageBox& box) override;
    QString fileDialog(const TFileDialog& dialog) override;
    int showModal(QDialog& window) override;
};
