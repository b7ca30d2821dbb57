#pragma once

#include "report_engine/EngineUi.h"

// How the report engine reaches the screen in the program: its error boxes and
// dialogs go through the dialog service, and its runs let window messages through.
class TReportScreen : public TfrxEngineUi {
public:
    void showError(const QString& caption, const QString& text) override;
    void processMessages() override;
    // No progress window is shown yet: a run's pages appear in the preview as they come.
    void progress(int) override {}
    bool csvExportDialog(TfrxCSVExport& filter) override;
    bool pdfExportDialog(TfrxPDFExport& filter) override;
    bool printDialog(TfrxPrintOptions& options, int currentPage) override;
};
