#include "report_engine/EngineTexts.h"
#include "report_engine/PreviewPages.h"
#include "report_engine/ReportError.h"

// This build has no printer support yet, so printing says so as the engine does
// when a system has no printer, rather than appear to print.
void TfrxPreviewPages::Print() const {
    throw EfrxError(frxGet("clNoPrinters"));
}
