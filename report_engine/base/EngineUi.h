#pragma once

#include <QString>
#include <exception>
#include <functional>

class QDialog;
class TfrxReport;
class TfrxCSVExport;
class TfrxPDFExport;
struct TfrxPrintOptions;

// What the engine needs from the screen. The application installs one; without it
// the engine stays silent (errors remain in the report's error list), so runs work
// the same with no windows at all.
class TfrxEngineUi {
public:
    virtual ~TfrxEngineUi() = default;
    // The error box of a run or an export: caption "Error", the text, an error icon.
    virtual void showError(const QString& caption, const QString& text) = 0;
    // Lets pending window messages through (once per record and per page of a run).
    virtual void processMessages() = 0;
    // Tells a progress display how many pages are prepared so far.
    virtual void progress(int pages) = 0;
    // The CSV export's dialog, then the choice of its file; false when the user
    // cancelled either. Without a screen the filter's settings stand as they are.
    virtual bool csvExportDialog(TfrxCSVExport&) { return true; }
    virtual bool pdfExportDialog(TfrxPDFExport&) { return true; }
    // The print dialog over the options of this print; false when the user
    // cancelled. currentPage is the page "Current page" means (0: none).
    virtual bool printDialog(TfrxPrintOptions&, int /*currentPage*/) { return true; }
    // The progress window of a print or an export: opened with its caption, shown
    // each page's text; its Cancel sets the report's Terminated.
    virtual void progressStart(TfrxReport&, const QString& /*caption*/) {}
    virtual void progressText(const QString&) {}
    virtual void progressStop() {}
    // The engine's own modal windows (the search dialog); without a screen they
    // count as cancelled.
    virtual int showModal(QDialog&) { return 0; }
    // A file to save to or open, with a filter such as "Prepared Report (*.zrp)";
    // empty when the user cancelled.
    virtual QString fileDialog(bool, const QString&) { return {}; }
    // A plain message with an OK button ("Text not found").
    virtual void showMessage(const QString&) {}
    // An error raised by a handler of the engine's windows (a key of the preview,
    // the timer that starts a run); the engine's error box unless the screen
    // shows it its own way.
    virtual void showHandlerError(const std::exception& error);

    // Runs a handler that Qt calls. Qt's libraries are built without exception
    // cleanups, so an error must not unwind through their frames: it stops here
    // and the screen shows it; with no screen it goes to the log.
    static void runHandler(TfrxEngineUi* ui, const std::function<void()>& handler);

    static TfrxEngineUi* installed();
    static void install(TfrxEngineUi* ui);
};
