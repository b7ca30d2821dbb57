#pragma once

#include <QList>
#include <QString>
#include <QVariant>
#include <memory>
#include <vector>

class TfrxPage;
class TfrxReportPage;
class TfrxDataSet;
class TfrxPreviewPages;
class TfrxCustomPreview;
class TfrxEngineUi;

struct TfrxDataSetItem {
    TfrxDataSet* DataSet = nullptr;
    QString DataSetName;
};

// A name beginning with a space is a category heading, not a variable.
struct TfrxVariable {
    QString Name;
    QVariant Value;
};

enum class TfrxSilentMode { simMessageBoxes, simSilent, simReThrow };

struct TfrxEngineOptions {
    bool ConvertNulls = true;
    bool IgnoreDevByZero = false;
    bool DoublePass = false;
    int MaxMemSize = 10;
    bool PrintIfEmpty = true;
    TfrxSilentMode SilentMode = TfrxSilentMode::simMessageBoxes;
    bool EnableThreadSafe = false;
    QString TempDir;
    bool UseGlobalDataSetList = true;
    bool UseFileCache = false;
    bool DestroyForms = true;
};

// What a run reads and tells while it prepares pages: the template's pages, its
// datasets and variables, where the prepared pages go, who watches the progress,
// and where errors are kept. The engine, the datasets, the values and the text
// objects see the report only through this, so they depend on no more of it.
class TfrxRunContext {
public:
    virtual ~TfrxRunContext() = default;

    virtual const std::vector<std::unique_ptr<TfrxPage>>& Pages() const = 0;
    // The page whose data bands the run walks.
    virtual TfrxReportPage* reportPage() const = 0;
    virtual const QList<TfrxDataSetItem>& dataSets() const = 0;
    virtual TfrxDataSet* GetDataset(const QString& alias) const = 0;
    virtual const QList<TfrxVariable>& variables() const = 0;
    virtual const TfrxEngineOptions& engineOptions() const = 0;

    virtual TfrxPreviewPages& PreviewPages() const = 0;
    virtual TfrxCustomPreview* preview() const = 0;
    virtual TfrxEngineUi* ui() const = 0;
    // Set when the user cancelled: the run stops at the next record.
    virtual bool terminated() const = 0;

    virtual QVariant Calc(const QString& expression) = 0;
    virtual void addError(const QString& text) = 0;
    // The object whose text is being computed, named in its errors.
    virtual const QString& currentObject() const = 0;
    virtual void setCurrentObject(const QString& name) = 0;
};
