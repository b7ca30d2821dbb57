#pragma once

#include "report_engine/base/EngineUi.h"
#include "reports/ProgressWindow.h"

#include <memory>

// How the report engine reaches the screen in the program: its error boxes and
// dialogs go through the dialog service, and its runs let window messages through.
class TReportScreen : public TfrxEngineUi {
public:
    void showError(const QString& caption, const QString& text) override;
    void processMessages() override;
    // A run's pages appear in the preview as they come; no window counts them.
    void progress(int) override {}
    bool csvExportDialog(TfrxCSVExport& filter) override;
    bool pdfExportDialog(TfrxPDFExport& filter) override;
    bool printDialog(TfrxPrintOptions& options, int currentPage) override;
    void progressStart(TfrxReport& report, const QString& caption) override;
    void progressText(const QString& text) override;
    void progressStop() override;

    TfrxProgress* progressWindow() const { return FProgress.get(); }

private:
    std::unique_ptr<TfrxProgress> FProgress;
    int showModal(QDialog& window) override;
    QString fileDialog(bool save, const QString& filter) override;
    void showMessage(const QString& text) override;
    // As the program shows any error of a handler.
    void showHandlerError(const std::exception& error) override;
};
