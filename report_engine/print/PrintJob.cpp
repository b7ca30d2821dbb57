#include "report_engine/print/PrintJob.h"

#include "report_engine/base/CustomPreview.h"
#include "report_engine/base/EngineTexts.h"
#include "report_engine/base/EngineUi.h"
#include "report_engine/base/ProgressScope.h"
#include "report_engine/base/ReportError.h"
#include "report_engine/base/ReportUnits.h"
#include "report_engine/model/Report.h"
#include "report_engine/prepared/PageDrawing.h"
#include "report_engine/prepared/PreviewPages.h"
#include "report_engine/print/PrintPass.h"
#include "report_engine/print/PrintSheet.h"
#include "report_engine/print/Printers.h"
#include "report_engine/run/PageNumbers.h"

#include <QPainter>
#include <cmath>
#include <optional>

namespace {
bool twoSided(TfrxDuplexMode duplex) {
    return duplex == TfrxDuplexMode::dmVertical || duplex == TfrxDuplexMode::dmHorizontal;
}

// What the device is set up for; a change between pages sets it up anew.
struct TDeviceParams {
    int Paper = 0;
    int Width = 0;
    int Height = 0;
    int Bin = frxAutoBin;
    TfrxOrientation Orientation = TfrxOrientation::poPortrait;
    TfrxDuplexMode Duplex = TfrxDuplexMode::dmNone;
    bool operator==(const TDeviceParams&) const = default;
};

// Puts the report's print options back however the print ends.
class TRestoreOptions {
public:
    explicit TRestoreOptions(TfrxPrintOptions& options) : FOptions(options), FSaved(options) {}
    ~TRestoreOptions() { FOptions = FSaved; }
    TRestoreOptions(const TRestoreOptions&) = delete;
    TRestoreOptions& operator=(const TRestoreOptions&) = delete;

private:
    TfrxPrintOptions& FOptions;
    TfrxPrintOptions FSaved;
};

// The paper the modes that rearrange pages print on: the one chosen in the
// dialog, else the printer's own.
const TfrxPaper* chosenSheet(const TfrxCustomPrinter& printer, int printOnSheet) {
    const int index = printer.PaperIndex(printOnSheet > 0 ? printOnSheet : printer.DefPaper);
    return index >= 0 ? &printer.Papers[index] : nullptr;
}
} // namespace

TfrxPrintJob::TfrxPrintJob(TfrxReport& report) : FReport(report), FOptions(report.PrintOptions) {}

QString TfrxPrintJob::jobTitle() const {
    for (const auto& [name, value] : FReport.Options)
        if (name == QLatin1String("ReportOptions.Name") && !value.isEmpty())
            return value;
    return QStringLiteral("Zelvora Report Document");
}

void TfrxPrintJob::printError(const char* text) {
    if (FReport.ui())
        FReport.ui()->showError(QStringLiteral("Error"), frxGet(text));
}

bool TfrxPrintJob::Print() {
    TfrxPrinters& printers = frxPrinters();
    if (!printers.HasPhysicalPrinters()) {
        printError("clNoPrinters");
        return false;
    }
    TRestoreOptions restore(FOptions);
    printers.selectByName(FOptions.Printer);
    if (FOptions.ShowDialog && FReport.ui() &&
        !FReport.ui()->printDialog(FOptions, FReport.PreviewPages().CurPreviewPage))
        return false;
    FReport.finishPendingRun();
    if (FOptions.PrintMode == TfrxPrintMode::pmSplit) {
        printError("clNoSplit");
        return false;
    }
    const std::optional<QList<int>> pageList =
        frxParsePageNumbers(FOptions.PageNumbers, FReport.PreviewPages().GetCount());
    if (!pageList)
        throw EfrxError(QStringLiteral("Invalid page numbers: %1").arg(FOptions.PageNumbers));
    if (FReport.Preview)
        FReport.Preview->Lock();
    if (!printers.Printer().Initialized) {
        printError("clInvalidPrinter");
        return true;
    }
    FReport.Errors.clear();
    try {
        printPages(*pageList);
    } catch (const EfrxError& error) {
        FReport.addError(error.message());
    }
    if (!FReport.Errors.isEmpty()) {
        FReport.reportErrors();
        return false;
    }
    return true;
}

namespace {
// Drops an open job when printing ends with an error.
class TAbortUnfinished {
public:
    explicit TAbortUnfinished(TfrxCustomPrinter& printer) : FPrinter(printer) {}
    ~TAbortUnfinished() {
        if (FPrinter.Printing)
            FPrinter.Abort();
    }
    TAbortUnfinished(const TAbortUnfinished&) = delete;
    TAbortUnfinished& operator=(const TAbortUnfinished&) = delete;

private:
    TfrxCustomPrinter& FPrinter;
};
} // namespace

void TfrxPrintJob::printPages(const QList<int>& pageList) {
    TfrxCustomPrinter& printer = frxPrinters().Printer();
    printer.FileName = FOptions.PrnOutFileName;
    printer.Title = jobTitle();
    const TfrxPrintPlan plan =
        frxPrintPlan(FReport.PreviewPages().GetCount(), pageList, FOptions, twoSided(FOptions.Duplex));
    // Nothing to print starts no job at all.
    if (plan.Steps.empty())
        return;
    const TfrxPaper* sheetPaper = FOptions.PrintMode == TfrxPrintMode::pmDefault
                                      ? nullptr
                                      : chosenSheet(printer, FOptions.PrintOnSheet);
    FReport.Terminated = false;
    TfrxProgressScope progress(FReport.ShowProgress ? FReport.ui() : nullptr, FReport);
    TAbortUnfinished abortUnfinished(printer);
    std::optional<TDeviceParams> device;
    int slot = 0;
    bool sheetOpen = false;
    const auto endSheet = [&] {
        if (sheetOpen)
            printer.EndPage();
        sheetOpen = false;
    };
    for (const TfrxPrintStep& step : plan.Steps) {
        if (FReport.Terminated) {
            if (printer.Printing)
                printer.Abort();
            return;
        }
        if (step.Blank) {
            endSheet();
            printer.BeginPage();
            printer.EndPage();
            continue;
        }
        const std::shared_ptr<const TfrxReportPage> page = FReport.PreviewPages().GetPage(step.PageIndex);
        const QSizeF pageSize(page->PaperWidth(), page->PaperHeight());
        TfrxSheet sheet{page->PaperSize(), pageSize, page->Orientation(), 1};
        if (sheetPaper)
            sheet = frxSheetFor(FOptions.PrintMode, FOptions.PagesOnSheet, sheetPaper->Number,
                                QSizeF(sheetPaper->Width, sheetPaper->Height), pageSize);
        if (!sheetOpen) {
            // The pages carry no paper source of their own: the printer's is taken.
            const TDeviceParams params{sheet.Paper,
                                       static_cast<int>(std::lround(sheet.Size.width())),
                                       static_cast<int>(std::lround(sheet.Size.height())),
                                       printer.DefBin,
                                       sheet.Orientation,
                                       FOptions.Duplex};
            if (!device || params != *device)
                printer.SetPrintParams(params.Paper, sheet.Size.width(), sheet.Size.height(),
                                       params.Orientation, plan.DeviceCopies, params.Duplex, params.Bin);
            device = params;
            if (!printer.Printing)
                printer.BeginDoc();
            printer.BeginPage();
            sheetOpen = true;
            slot = 0;
        }
        drawOnPrinter(step.PageIndex, printer,
                      sheetPaper ? frxPlacePage(sheet, pageSize, slot) : TfrxPlacement{});
        progress.page("clPrinting", step.PageIndex + 1);
        if (++slot == sheet.PagesOnSheet)
            endSheet();
        if (FReport.ui())
            FReport.ui()->processMessages();
    }
    endSheet();
    printer.EndDoc();
}

// The page's coordinates are measured from the sheet's edge: the origin moves
// back over the edge the printer cannot reach.
void TfrxPrintJob::drawOnPrinter(int index, TfrxCustomPrinter& printer, const TfrxPlacement& placement) {
    const QPoint dpi = printer.DPI;
    frxDrawPage(FReport.PreviewPages(), index, *printer.Canvas(), dpi.x() / 96.0 * placement.Scale,
                dpi.y() / 96.0 * placement.Scale,
                (placement.Origin.x() - printer.LeftMargin) * dpi.x() / 25.4,
                (placement.Origin.y() - printer.TopMargin) * dpi.y() / 25.4);
}
