// Writing prepared pages through an export filter, page by page and object by object.
#include "report_engine/Bands.h"
#include "report_engine/EngineUi.h"
#include "report_engine/ExportFilter.h"
#include "report_engine/MemoView.h"
#include "report_engine/PageNumbers.h"
#include "report_engine/PreviewPages.h"
#include "report_engine/Report.h"
#include "report_engine/ReportError.h"
#include "report_engine/ReportUnits.h"

namespace {
bool skipsBand(const TfrxBand& band, const TfrxCustomExportFilter& filter, bool firstPage, bool lastPage) {
    if (!filter.SuppressPageHeadersFooters)
        return false;
    return (band.BandNumber() == bnPageHeader && !firstPage) ||
           (band.BandNumber() == bnPageFooter && !lastPage);
}

void exportObject(TfrxComponent& object, TfrxCustomExportFilter& filter, int pageCount) {
    if (filter.DataOnly && !dynamic_cast<const TfrxMasterData*>(object.Parent()))
        return;
    if (auto* memo = object.asMemo()) {
        memo->Text.replace(QLatin1String("[TOTALPAGES#]"), QString::number(pageCount), Qt::CaseInsensitive);
        memo->Text.replace(QLatin1String("[COPYNAME#]"), QString(), Qt::CaseInsensitive);
    }
    filter.ExportObject(object);
}
} // namespace

bool TfrxReport::exportPages(TfrxCustomExportFilter& filter) {
    const std::optional<std::vector<bool>> selected =
        frxSelectedPages(filter.PageNumbers, PreviewPages().GetCount());
    if (!selected)
        throw EfrxError(QStringLiteral("Invalid page numbers: %1").arg(filter.PageNumbers));
    if (filter.OnBeginExport)
        filter.OnBeginExport();
    if (!filter.Start())
        return false;
    const int count = PreviewPages().GetCount();
    for (int index = 0; index < count; ++index) {
        if (!(*selected)[static_cast<size_t>(index)])
            continue;
        // Filters see the page on paper: the printable area moves in by the margins.
        std::unique_ptr<TfrxComponent> copy = PreviewPages().GetPage(index)->clone();
        auto& page = static_cast<TfrxReportPage&>(*copy);
        filter.StartPage(page, index);
        page.Left = page.LeftMargin * fr01cm;
        page.Top = page.TopMargin * fr01cm;
        for (const auto& child : page.Objects()) {
            const auto& band = static_cast<const TfrxBand&>(*child);
            if (skipsBand(band, filter, index == 0, index == count - 1))
                continue;
            exportObject(*child, filter, count);
            for (const auto& object : child->Objects()) {
                exportObject(*object, filter, count);
                if (Terminated)
                    return false;
            }
        }
        filter.FinishPage(page, index);
        if (ui())
            ui()->processMessages();
    }
    filter.Finish();
    return true;
}

bool TfrxReport::Export(TfrxCustomExportFilter& filter) {
    filter.CreationTime = QDateTime::currentDateTime();
    filter.Report = this;
    if (filter.OnBeforeExport)
        filter.OnBeforeExport();
    if (filter.ShowDialog && !filter.ShowModal())
        return false;
    if (filter.CurPage)
        filter.PageNumbers = QString::number(Preview ? Preview->PageNo() : 1);
    Terminated = false;
    Errors.clear();
    // A file is complete only once Finish has written it whole; an export that
    // stops before, cancelled or failed, leaves no file behind.
    struct TDropUnfinished {
        TfrxCustomExportFilter& FFilter;
        ~TDropUnfinished() { FFilter.dropOutput(); }
    } dropUnfinished{filter};
    try {
        return exportPages(filter);
    } catch (const EfrxError& error) {
        addError(error.message());
    } catch (const std::exception& error) {
        addError(QString::fromUtf8(error.what()));
    }
    reportErrors();
    return false;
}
