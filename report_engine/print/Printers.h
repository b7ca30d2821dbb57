#pragma once

#include "report_engine/print/CustomPrinter.h"

#include <QStringList>
#include <memory>
#include <vector>

// The printers of the system and the current one. The current printer is the
// system's default at first and then the one last chosen, for the whole process.
class TfrxPrinters {
public:
    // An empty list stands for a system without printers: "Virtual" takes its place.
    TfrxPrinters(std::vector<std::unique_ptr<TfrxCustomPrinter>> printers, int defaultIndex);
    // The printers the print system offers now.
    static TfrxPrinters fromSystem();

    const QStringList& Printers() const { return FNames; }
    bool HasPhysicalPrinters() const { return FHasPhysicalPrinters; }
    int PrinterIndex() const { return FPrinterIndex; }
    // Makes that printer current; it reads what it can do on its first selection.
    void SetPrinterIndex(int index);
    // Selects the printer of that name, compared without regard to case; false
    // (and the current printer kept) when there is none.
    bool selectByName(const QString& name);
    TfrxCustomPrinter& Printer() const { return *FPrinters[static_cast<size_t>(FPrinterIndex)]; }
    TfrxCustomPrinter& printer(int index) const { return *FPrinters[static_cast<size_t>(index)]; }

private:
    std::vector<std::unique_ptr<TfrxCustomPrinter>> FPrinters;
    QStringList FNames;
    int FPrinterIndex = 0;
    bool FHasPhysicalPrinters = false;
};

// The process's printers, found on first use.
TfrxPrinters& frxPrinters();
// Replaces the process's printers: those found anew after the print system
// changed, or a test's own.
void frxInstallPrinters(TfrxPrinters printers);
