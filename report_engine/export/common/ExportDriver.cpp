#include "report_engine/export/common/ExportDriver.h"

#include "report_engine/base/CustomPreview.h"
#include "report_engine/base/EngineUi.h"
#include "report_engine/base/ProgressScope.h"
#include "report_engine/base/ReportError.h"
#include "report_engine/export/common/ExportFilter.h"
#include "report_engine/model/Bands.h"
#include "report_engine/model/Report.h"
#include "report_engine/prepared/FinishedPages.h"
#include "report_engine/prepared/PreviewPages.h"
#include "report_engine/run/PageNumbers.h"

namespace {
bool skipsBand(const TfrxBand& band, const TfrxCustomExportFilter& filter, bool firstPage, bool lastPage) {
    if (!filter.SuppressPageHeadersFooters)
        return false;
    return (band.BandNumber() == bnPageHeader && !firstPage) ||
           (band.BandNumber() == bnPageFooter && !lastPage);
}

void exportObject(const TfrxComponent& object, TfrxCustomExportFilter& filter) {
    if (filter.DataOnly && !dynamic_cast<const TfrxMasterData*>(object.Parent()))
        return;
    filter.ExportObject(object);
}
} // namespace

bool TfrxExportDriver::exportPages(TfrxCustomExportFilter& filter) {
    const std::optional<std::vector<bool>> selected =
        frxSelectedPages(filter.PageNumbers, FReport.PreviewPages().GetCount());
    if (!selected)
        throw EfrxError(QStringLiteral("Invalid page numbers: %1").arg(filter.PageNumbers));
    if (filter.OnBeginExport)
        filter.OnBeginExport();
    if (!filter.Start())
        return false;
    // The preview neither lays out nor takes the mouse while its pages are written.
    struct TLock {
        TfrxCustomPreview* FPreview;
        explicit TLock(TfrxCustomPreview* preview) : FPreview(preview) {
            if (FPreview)
                FPreview->Lock();
        }
        ~TLock() {
            if (FPreview)
                FPreview->Unlock();
        }
    } lock(FReport.Preview);
    TfrxProgressScope progress(FReport.ShowProgress && filter.ShowProgress ? FReport.ui() : nullptr, FReport);
    const int count = FReport.PreviewPages().GetCount();
    TfrxFinishedPages finished(FReport.PreviewPages());
    for (int index = 0; index < count; ++index) {
        if (!(*selected)[static_cast<size_t>(index)])
            continue;
        if (FReport.Terminated)
            return false;
        progress.page("clPageOf", index + 1);
        const TfrxReportPage& page = finished.page(index);
        filter.StartPage(page, index);
        for (const auto& child : page.Objects()) {
            const auto& band = static_cast<const TfrxBand&>(*child);
            if (skipsBand(band, filter, index == 0, index == count - 1))
                continue;
            exportObject(*child, filter);
            for (const auto& object : child->Objects()) {
                exportObject(*object, filter);
                if (FReport.Terminated)
                    return false;
            }
        }
        filter.FinishPage(page, index);
        if (FReport.ui())
            FReport.ui()->processMessages();
    }
    filter.Finish();
    return true;
}

bool TfrxExportDriver::Export(TfrxCustomExportFilter& filter) {
    filter.CreationTime = QDateTime::currentDateTime();
    filter.Report = &FReport;
    if (filter.OnBeforeExport)
        filter.OnBeforeExport();
    if (filter.ShowDialog && !filter.ShowModal())
        return false;
    FReport.finishPendingRun();
    if (filter.CurPage)
        filter.PageNumbers = QString::number(FReport.Preview ? FReport.Preview->PageNo() : 1);
    FReport.Terminated = false;
    FReport.Errors.clear();
    // A file is complete only once Finish has written it whole; an export that
    // stops before, cancelled or failed, leaves no file behind.
    struct TDropUnfinished {
        TfrxCustomExportFilter& FFilter;
        ~TDropUnfinished() { FFilter.dropOutput(); }
    } dropUnfinished{filter};
    try {
        return exportPages(filter);
    } catch (const EfrxError& error) {
        FReport.addError(error.message());
    } catch (const std::exception& error) {
        FReport.addError(QString::fromUtf8(error.what()));
    }
    FReport.reportErrors();
    return false;
}
