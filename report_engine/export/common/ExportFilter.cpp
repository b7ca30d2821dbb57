#include "report_engine/export/common/ExportFilter.h"

#include "report_engine/base/OutputFile.h"
#include "report_engine/base/ReportError.h"
#include "report_engine/model/Component.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QUrl>

TfrxCustomExportFilter::TfrxCustomExportFilter() = default;

TfrxCustomExportFilter::~TfrxCustomExportFilter() = default;

void TfrxCustomExportFilter::FinishPage(const TfrxReportPage&, int) {}

void TfrxCustomExportFilter::StartPage(const TfrxReportPage&, int) {}

void TfrxCustomExportFilter::TakeSettings(const QList<QPair<QString, QString>>& settings) {
    for (const auto& [name, value] : settings)
        takeSetting(name, value);
}

bool TfrxCustomExportFilter::takeSetting(const QString& name, const QString& value) {
    return takeFlag(name, value,
                    {{"ShowProgress", &ShowProgress},
                     {"OverwritePrompt", &OverwritePrompt},
                     {"DataOnly", &DataOnly},
                     {"UseFileCache", &UseFileCache},
                     {"ShowDialog", &ShowDialog}});
}

bool TfrxCustomExportFilter::takeFlag(const QString& name, const QString& value,
                                      std::initializer_list<std::pair<const char*, bool*>> flags) {
    for (const auto& [flagName, flag] : flags)
        if (name == QLatin1String(flagName)) {
            *flag = frxProp::toBool(value);
            return true;
        }
    return false;
}

bool TfrxCustomExportFilter::openOutput() {
    dropOutput();
    if (FileName.isEmpty() && !Stream)
        return false;
    if (!FileName.isEmpty() && QFileInfo(FileName).fileName() == FileName && !DefaultPath.isEmpty())
        FileName = DefaultPath + QDir::separator() + FileName;
    if (Stream) {
        FOutput = Stream;
        return true;
    }
    FFile = std::make_unique<TfrxOutputFile>(FileName);
    FOutput = &FFile->device();
    return true;
}

void TfrxCustomExportFilter::write(const QByteArray& bytes) {
    if (FFile) {
        FFile->write(bytes);
        return;
    }
    if (FOutput->write(bytes) != bytes.size())
        throw EfrxError(QStringLiteral("Cannot write %1: %2").arg(FileName, FOutput->errorString()));
}

void TfrxCustomExportFilter::closeOutput(bool openAfterExport) {
    const bool ownFile = FFile != nullptr;
    if (ownFile)
        FFile->commit();
    dropOutput();
    if (ownFile && openAfterExport)
        QDesktopServices::openUrl(QUrl::fromLocalFile(QFileInfo(FileName).absoluteFilePath()));
}

void TfrxCustomExportFilter::dropOutput() {
    FFile.reset();
    FOutput = nullptr;
}
