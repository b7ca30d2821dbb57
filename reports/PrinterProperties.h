#pragma once

#include "reports/ExportDialog.h"

class QComboBox;
class TfrxCustomPrinter;

// The printer's own settings the print system offers: its paper, paper source
// and printing on both sides. OK makes them the printer's defaults for the rest
// of the process; the print dialog takes the duplex choice over.
class TfrxPrinterProperties : public TfrxExportDialog {
public:
    explicit TfrxPrinterProperties(TfrxCustomPrinter& printer);

protected:
    void store() override;

private:
    TfrxCustomPrinter& FPrinter;
    QComboBox* PaperCB;
    QComboBox* BinCB;
    QComboBox* DuplexCB;
};
