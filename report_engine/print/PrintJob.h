#pragma once

#include <QList>
#include <QString>

class TfrxReport;
class TfrxCustomPrinter;
struct TfrxPlacement;
struct TfrxPrintOptions;

// Printing the prepared pages of a report: the printer, the dialog, the passes
// over the pages and the job.
class TfrxPrintJob {
public:
    explicit TfrxPrintJob(TfrxReport& report);
    // Prints on the current printer, after the print dialog; false when there is
    // no printer or the user cancelled. The report's print options are as before
    // once it ends.
    bool Print();

private:
    void printPages(const QList<int>& pageList);
    void drawOnPrinter(int index, TfrxCustomPrinter& printer, const TfrxPlacement& placement);
    QString jobTitle() const;
    // The error box of a print, with one of the engine's texts.
    void printError(const char* text);

    TfrxReport& FReport;
    TfrxPrintOptions& FOptions;
};
