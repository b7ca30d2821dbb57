#pragma once

#include "report_engine/print/CustomPrinter.h"

// Stands in when the system has no printer, so that the engine always has a
// current printer; it prints nothing.
class TfrxVirtualPrinter : public TfrxCustomPrinter {
public:
    TfrxVirtualPrinter();
    void Init() override;
    void SetPrintParams(int, double, double, TfrxOrientation, int, TfrxDuplexMode, int) override {}
    void BeginDoc() override {}
    void BeginPage() override {}
    void EndPage() override {}
    void EndDoc() override {}
    void Abort() override {}
    QPainter* Canvas() override { return nullptr; }
};
