#pragma once

#include <QDateTime>
#include <QList>
#include <QPair>
#include <QString>
#include <functional>
#include <initializer_list>
#include <memory>
#include <utility>
#include <vector>

class QIODevice;
class TfrxOutputFile;
class TfrxComponent;
class TfrxReport;
class TfrxReportPage;

// The base of every export: the driver calls StartPage, ExportObject for each band
// and object, and FinishPage per prepared page, between Start and Finish.
class TfrxCustomExportFilter {
public:
    TfrxCustomExportFilter();
    virtual ~TfrxCustomExportFilter();

    virtual QString GetDescription() const = 0;
    // The filter's own options dialog; false means the user cancelled.
    virtual bool ShowModal() { return true; }
    // False: nothing is exported.
    virtual bool Start() = 0;
    virtual void ExportObject(const TfrxComponent& object) = 0;
    virtual void Finish() = 0;
    virtual void FinishPage(const TfrxReportPage& page, int index);
    virtual void StartPage(const TfrxReportPage& page, int index);
    // Takes the settings a report template keeps for this kind of filter.
    void TakeSettings(const QList<QPair<QString, QString>>& settings);
    // Drops a file the export did not complete; an existing file of that name
    // stays as it was. The export driver calls it whichever way an export ends.
    void dropOutput();

    bool ShowDialog = true;
    QString FileName;
    QString DefaultPath;
    QString PageNumbers; // "1,3,5-12"; empty: every page
    bool CurPage = false;
    bool ShowProgress = true;
    bool DataOnly = false;
    bool UseFileCache = false;
    bool OverwritePrompt = false;
    bool SuppressPageHeadersFooters = false;
    QDateTime CreationTime;
    TfrxReport* Report = nullptr;
    QIODevice* Stream = nullptr;
    std::function<void()> OnBeforeExport;
    std::function<void()> OnBeginExport;

protected:
    // One setting of a template; false when the filter has no such setting.
    virtual bool takeSetting(const QString& name, const QString& value);
    // Sets the flag of that name, if it is one of these.
    static bool takeFlag(const QString& name, const QString& value,
                         std::initializer_list<std::pair<const char*, bool*>> flags);

    // Where the export writes: the caller's Stream, or the file FileName names
    // (DefaultPath put before a bare name). False when there is neither; a file
    // that cannot be created throws EfrxError.
    bool openOutput();
    // Writes the bytes; a failure ends the export with an error.
    void write(const QByteArray& bytes);
    // Completes the file (never a caller's stream) under its name; then, when
    // asked, has the desktop open it. A failure throws EfrxError.
    void closeOutput(bool openAfterExport);

private:
    std::unique_ptr<TfrxOutputFile> FFile;
    QIODevice* FOutput = nullptr;
};
