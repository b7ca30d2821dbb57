#include "report_engine/model/Report.h"

#include "report_engine/base/CustomPreview.h"
#include "report_engine/base/EngineUi.h"
#include "report_engine/base/ReportError.h"
#include "report_engine/export/common/ExportDriver.h"
#include "report_engine/model/MemoView.h"
#include "report_engine/prepared/PreviewPages.h"
#include "report_engine/print/PrintJob.h"
#include "report_engine/run/DBDataset.h"
#include "report_engine/run/Engine.h"
#include "report_engine/run/ReportValues.h"

#include <algorithm>

TfrxReport::TfrxReport()
    : ScriptText({QStringLiteral("begin"), QString(), QStringLiteral("end.")}),
      FPreviewPages(std::make_unique<TfrxPreviewPages>()), FEngine(std::make_unique<TfrxEngine>(*this)),
      FValues(std::make_unique<TfrxReportValues>(*this, *FEngine)) {
    // The run starts from the message loop a moment later, so the window that
    // shows the pages is up before a long preparation begins.
    FTimer.setInterval(50);
    FTimer.setSingleShot(true);
    connect(&FTimer, &QTimer::timeout, this,
            [this] { TfrxEngineUi::runHandler(ui(), [this] { PrepareReport(false); }); });
}

TfrxReport::~TfrxReport() = default;

TfrxPage* TfrxReport::addPage(std::unique_ptr<TfrxPage> page) {
    FPages.push_back(std::move(page));
    return FPages.back().get();
}

void TfrxReport::clearPages() {
    FPages.clear();
}

TfrxReportPage* TfrxReport::reportPage() const {
    for (const auto& page : FPages)
        if (auto* reportPage = dynamic_cast<TfrxReportPage*>(page.get()))
            return reportPage;
    return nullptr;
}

TfrxComponent* TfrxReport::FindObject(const QString& name) const {
    for (const auto& page : FPages) {
        if (page->Name.compare(name, Qt::CaseInsensitive) == 0)
            return page.get();
        if (TfrxComponent* found = page->findObject(name))
            return found;
    }
    return nullptr;
}

TfrxDataSet* TfrxReport::addDataSet(std::unique_ptr<TfrxDataSet> dataSet) {
    dataSet->Context = this;
    FDataSets.push_back(std::move(dataSet));
    return FDataSets.back().get();
}

void TfrxReport::clearDataSets() {
    Datasets.clear();
    FDataSets.clear();
}

TfrxDBDataset* TfrxReport::findDBDataset(const QString& name) const {
    for (const auto& dataSet : FDataSets)
        if (dataSet->Name.compare(name, Qt::CaseInsensitive) == 0)
            return dynamic_cast<TfrxDBDataset*>(dataSet.get());
    return nullptr;
}

TfrxDataSet* TfrxReport::GetDataset(const QString& alias) const {
    for (const TfrxDataSetItem& item : Datasets)
        if (item.DataSet && item.DataSet->UserName.compare(alias, Qt::CaseInsensitive) == 0)
            return item.DataSet;
    return nullptr;
}

TfrxPropertyList TfrxReport::exportSettings(const QString& filterName) const {
    for (const auto& [name, settings] : ExportFilters)
        if (name == filterName)
            return settings;
    return {};
}

void TfrxReport::replacePreviewPages(std::unique_ptr<TfrxPreviewPages> pages) {
    FPreviewPages = std::move(pages);
    ShowPreparedReport();
}

TfrxEngineUi* TfrxReport::ui() const {
    return FUi ? FUi : TfrxEngineUi::installed();
}

QVariant TfrxReport::Calc(const QString& expression) {
    return FValues->Calc(expression);
}

void TfrxReport::addError(const QString& text) {
    const auto less = [](const QString& a, const QString& b) {
        return a.compare(b, Qt::CaseInsensitive) < 0;
    };
    const auto at = std::lower_bound(Errors.begin(), Errors.end(), text, less);
    if (at == Errors.end() || *at != text)
        Errors.insert(at, text);
}

void TfrxReport::reportErrors() {
    const QString text =
        QStringLiteral("The following error(s) have occured:\r\n") + Errors.join(QStringLiteral("\r\n"));
    if (EngineOptions.SilentMode == TfrxSilentMode::simReThrow)
        throw EfrxError(text);
    if (EngineOptions.SilentMode == TfrxSilentMode::simMessageBoxes && ui())
        ui()->showError(QStringLiteral("Error"), text);
}

void TfrxReport::ShowReport(bool clearLastReport) {
    if (FEngine->Running)
        return;
    if (clearLastReport)
        FPreviewPages->Clear();
    if (!OldStyleProgress)
        FTimer.start();
    else if (!PrepareReport(false))
        return;
    ShowPreparedReport();
}

void TfrxReport::ShowPreparedReport() {
    if (Preview)
        Preview->Init(this, FPreviewPages.get());
}

bool TfrxReport::checkDataSets() {
    for (const TfrxDataSetItem& item : Datasets)
        if (!item.DataSet)
            addError(QStringLiteral("Could not find dataset \"%1\"").arg(item.DataSetName));
    return Errors.isEmpty();
}

namespace {
void resolveObjects(const TfrxComponent& parent, const TfrxReport& report) {
    for (const auto& child : parent.Objects()) {
        if (auto* band = dynamic_cast<TfrxMasterData*>(child.get()))
            band->DataSet = report.GetDataset(band->DataSetName);
        if (auto* view = dynamic_cast<TfrxView*>(child.get()))
            view->DataSet = view->DataSetName.isEmpty() ? nullptr : report.GetDataset(view->DataSetName);
        resolveObjects(*child, report);
    }
}
} // namespace

void TfrxReport::resolveDataSets() {
    for (const auto& page : FPages)
        resolveObjects(*page, *this);
}

bool TfrxReport::runEngine() {
    try {
        resolveDataSets();
        return FEngine->Run();
    } catch (const EfrxError& error) {
        addError(error.message());
    } catch (const std::exception& error) {
        addError(QString::fromUtf8(error.what()));
    }
    return false;
}

bool TfrxReport::PrepareReport(bool clearLastReport) {
    if (clearLastReport)
        FPreviewPages->Clear();
    ShowPreparedReport();
    Errors.clear();
    Terminated = false;
    bool result = false;
    if (checkDataSets()) {
        // The run changes template objects as it goes; a copy taken now puts the
        // template back exactly as it was, whatever the run did or where it stopped.
        std::vector<std::unique_ptr<TfrxPage>> snapshot;
        const QList<TfrxVariable> variables = Variables;
        if (EngineOptions.DestroyForms)
            for (const auto& page : FPages)
                snapshot.emplace_back(static_cast<TfrxPage*>(page->clone().release()));
        if (Preview)
            Preview->InternalOnProgressStart();
        result = runEngine() && Errors.isEmpty();
        if (Preview)
            Preview->InternalOnProgressStop();
        if (EngineOptions.DestroyForms) {
            FPages = std::move(snapshot);
            Variables = variables;
            resolveDataSets();
        }
    }
    if (!Errors.isEmpty()) {
        result = false;
        reportErrors();
    }
    return result;
}

// A run that ShowReport asked for starts from the message loop. When the user
// answered a dialog before it started, it runs now: what is printed or written
// is always the whole report, never the empty pages of a run yet to come.
void TfrxReport::finishPendingRun() {
    if (!FTimer.isActive())
        return;
    FTimer.stop();
    PrepareReport(false);
}

bool TfrxReport::Export(TfrxCustomExportFilter& filter) {
    return TfrxExportDriver(*this).Export(filter);
}

bool TfrxReport::Print() {
    return TfrxPrintJob(*this).Print();
}
