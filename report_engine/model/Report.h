#pragma once

#include "report_engine/model/Component.h"
#include "report_engine/model/Page.h"
#include "report_engine/model/PrintOptions.h"
#include "report_engine/run/RunContext.h"

#include <QObject>
#include <QStringList>
#include <QTimer>
#include <QVariant>
#include <memory>
#include <vector>

class TfrxDataSet;
class TfrxDBDataset;
class TfrxEngine;
class TfrxReportValues;
class TfrxPreviewPages;
class TfrxCustomPreview;
class TfrxEngineUi;
class TfrxCustomExportFilter;

// A report template and its runs: the page tree, the datasets it may read, its
// variables and options, the prepared pages of the last run and the run's errors.
// A run sees it only as its run context.
class TfrxReport final : public QObject, public TfrxRunContext {
    Q_OBJECT
public:
    TfrxReport();
    ~TfrxReport() override;

    // pages and objects
    const std::vector<std::unique_ptr<TfrxPage>>& Pages() const override { return FPages; }
    TfrxPage* addPage(std::unique_ptr<TfrxPage> page);
    void clearPages();
    TfrxReportPage* reportPage() const override;
    TfrxComponent* FindObject(const QString& name) const;

    // datasets: the report owns those of its template
    TfrxDataSet* addDataSet(std::unique_ptr<TfrxDataSet> dataSet);
    void clearDataSets();
    TfrxDBDataset* findDBDataset(const QString& name) const;
    TfrxDataSet* GetDataset(const QString& alias) const override;
    QList<TfrxDataSetItem> Datasets;
    QList<TfrxVariable> Variables;

    // runs
    void ShowReport(bool clearLastReport = true);
    bool PrepareReport(bool clearLastReport = true);
    void ShowPreparedReport();
    // Writes the prepared pages as they are through the filter; it does not run the report.
    bool Export(TfrxCustomExportFilter& filter);
    // Prints the prepared pages as they are on the current printer, after the
    // print dialog; false when there is no printer or the user cancelled.
    bool Print();
    QVariant Calc(const QString& expression) override;
    void addError(const QString& text) override;
    // A run that ShowReport asked for and that has not started yet runs now.
    void finishPendingRun();
    // The box shown after a failed run or export: "The following error(s) have occured:".
    void reportErrors();

    TfrxPreviewPages& PreviewPages() const override { return *FPreviewPages; }
    // Takes over pages loaded from a file; the pages of the last run are dropped.
    void replacePreviewPages(std::unique_ptr<TfrxPreviewPages> pages);
    TfrxEngine& Engine() const { return *FEngine; }
    TfrxEngineUi* ui() const override;
    void setUi(TfrxEngineUi* ui) { FUi = ui; }

    QStringList Errors; // sorted, without duplicates
    bool Terminated = false;
    QString CurObject; // the object whose text is being computed
    TfrxCustomPreview* Preview = nullptr;
    TfrxEngineOptions EngineOptions;
    TfrxPrintOptions PrintOptions;

    // stored settings of the template
    QString Version = QStringLiteral("1.0");
    QString Name;
    QString IniFile = QStringLiteral("\\Software\\Zelvora Reports");
    QString ScriptLanguage = QStringLiteral("PascalScript");
    QStringList ScriptText;
    bool OldStyleProgress = false;
    bool ShowProgress = true;
    bool DotMatrixReport = false;
    QString Style;
    // PreviewOptions.*, PrintOptions.*, ReportOptions.* and the like, by full name.
    TfrxPropertyList Options;
    // Settings of the export filters that come with the template, by filter name.
    QList<QPair<QString, TfrxPropertyList>> ExportFilters;
    TfrxPropertyList exportSettings(const QString& filterName) const;

    // the run's view of the report
    const QList<TfrxDataSetItem>& dataSets() const override { return Datasets; }
    const QList<TfrxVariable>& variables() const override { return Variables; }
    const TfrxEngineOptions& engineOptions() const override { return EngineOptions; }
    TfrxCustomPreview* preview() const override { return Preview; }
    bool terminated() const override { return Terminated; }
    const QString& currentObject() const override { return CurObject; }
    void setCurrentObject(const QString& name) override { CurObject = name; }

private:
    void resolveDataSets();
    bool checkDataSets();
    bool runEngine();

    std::vector<std::unique_ptr<TfrxPage>> FPages;
    std::vector<std::unique_ptr<TfrxDataSet>> FDataSets;
    std::unique_ptr<TfrxPreviewPages> FPreviewPages;
    std::unique_ptr<TfrxEngine> FEngine;
    std::unique_ptr<TfrxReportValues> FValues;
    QTimer FTimer;
    TfrxEngineUi* FUi = nullptr;
};
