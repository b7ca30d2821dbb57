#pragma once

#include <QString>

class QDialog;
class TfrxReport;
class TfrxPreviewPages;
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

    static TfrxEngineUi* installed();
    static void install(TfrxEngineUi* ui);
};

// The progress window of a print or an export, up while the work goes on,
// however it ends; nothing without a screen.
class TfrxProgressScope {
public:
    TfrxProgressScope(TfrxEngineUi* ui, TfrxReport& report);
    ~TfrxProgressScope();
    TfrxProgressScope(const TfrxProgressScope&) = delete;
    TfrxProgressScope& operator=(const TfrxProgressScope&) = delete;
    // One of the engine's texts with "%d", shown for this page number.
    void page(const char* text, int number);

private:
    TfrxEngineUi* FUi;
};

// The preview control a report shows its pages in. A run tells it when it starts,
// when each page begins (its index) and when it stops; exports lock it.
class TfrxCustomPreview {
public:
    virtual ~TfrxCustomPreview() = default;
    virtual void Init(TfrxReport* report, TfrxPreviewPages* pages) = 0;
    // The page shown now, from 1.
    virtual int PageNo() const = 0;
    virtual void InternalOnProgressStart() {}
    virtual void InternalOnProgress(int) {}
    virtual void InternalOnProgressStop() {}
    virtual void Lock() {}
    virtual void Unlock() {}
};
