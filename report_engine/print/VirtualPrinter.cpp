#include "report_engine/print/VirtualPrinter.h"

TfrxVirtualPrinter::TfrxVirtualPrinter() : TfrxCustomPrinter(QStringLiteral("Virtual"), QString()) {}

// Enough of a printer to lay pages out on A4; it never prints.
void TfrxVirtualPrinter::Init() {
    if (Initialized)
        return;
    DPI = QPoint(600, 600);
    Papers = {{9, QStringLiteral("A4"), 210, 297}};
    DefPaper = 9;
    PaperWidth = 210;
    PaperHeight = 297;
    Initialized = true;
}
