#pragma once

#include "ui/DialogService.h"

// The service of the running program: real, modal Qt dialogs.
class TQtDialogService : public TDialogService {
public:
    TMsgButton messageBox(const TMessageBox& box) override;
    QString fileDialog(const TFileDialog& dialog) override;
    int showModal(QDialog& window) override;
};
