#include "reports/ReportScreen.h"

#include "report_engine/export/csv/CSVExport.h"
#include "report_engine/export/pdf/PDFExport.h"
#include "reports/CSVExportDialog.h"
#include "reports/PDFExportDialog.h"
#include "reports/PrintDialog.h"
#include "ui/DialogService.h"
#include "ui/ShowingErrors.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QWidget>

void TReportScreen::showError(const QString& caption, const QString& text) {
    dialogs().messageBox({TMsgKind::Error, nullptr, caption, text, TMsgIcon::Stop, TMsgButton::Ok});
}

void TReportScreen::processMessages() {
    QCoreApplication::processEvents();
}

namespace {
// The file of an export: proposed as last time, or by the extension alone (the
// program's reports have no file name of their own); the extension is added
// when the name chosen has none. False when the user cancelled.
bool chooseFile(TfrxCustomExportFilter& filter, const QString& fileFilter, const QString& extension) {
    QString proposed = filter.FileName.isEmpty() ? extension : filter.FileName;
    if (!filter.DefaultPath.isEmpty() && QFileInfo(proposed).fileName() == proposed)
        proposed = QDir(filter.DefaultPath).filePath(proposed);
    QString chosen = dialogs().fileDialog(
        {TFileDialog::Save, nullptr, QString(), proposed, fileFilter, filter.OverwritePrompt});
    if (chosen.isEmpty())
        return false;
    if (QFileInfo(chosen).suffix().isEmpty())
        chosen += extension;
    filter.FileName = chosen;
    return true;
}
} // namespace

bool TReportScreen::csvExportDialog(TfrxCSVExport& filter) {
    TfrxCSVExportDialog options(filter);
    return dialogs().showModal(options) == QDialog::Accepted &&
           chooseFile(filter, QStringLiteral("CSV file (*.csv)"), QStringLiteral(".csv"));
}

bool TReportScreen::pdfExportDialog(TfrxPDFExport& filter) {
    TfrxPDFExportDialog options(filter);
    return dialogs().showModal(options) == QDialog::Accepted &&
           chooseFile(filter, QStringLiteral("Adobe PDF file (*.pdf)"), QStringLiteral(".pdf"));
}

bool TReportScreen::printDialog(TfrxPrintOptions& options, int currentPage) {
    TfrxPrintDialog dialog(options, currentPage);
    return dialogs().showModal(dialog) == QDialog::Accepted;
}

void TReportScreen::progressStart(TfrxReport& report, const QString& caption) {
    FProgress = std::make_unique<TfrxProgress>(report, caption);
    FProgress->show();
}

void TReportScreen::progressText(const QString& text) {
    if (FProgress)
        FProgress->SetMessage(text);
}

void TReportScreen::progressStop() {
    FProgress.reset();
}

int TReportScreen::showModal(QDialog& window) {
    return dialogs().showModal(window);
}

QString TReportScreen::fileDialog(bool save, const QString& filter) {
    return dialogs().fileDialog(
        {save ? TFileDialog::Save : TFileDialog::Open, nullptr, QString(), QString(), filter, save});
}

void TReportScreen::showMessage(const QString& text) {
    dialogs().notice(nullptr, text);
}

void TReportScreen::showHandlerError(const std::exception& error) {
    showException(error);
}
