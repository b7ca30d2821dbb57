#include "reports/ReportScreen.h"

#include "report_engine/CSVExport.h"
#include "reports/CSVExportDialog.h"
#include "ui/DialogService.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

void TReportScreen::showError(const QString& caption, const QString& text) {
    dialogs().messageBox({TMsgKind::Error, nullptr, caption, text, TMsgIcon::Stop, TMsgButton::Ok});
}

void TReportScreen::processMessages() {
    QCoreApplication::processEvents();
}

// The file is proposed as last time, or by the extension alone (the program's
// reports have no file name of their own); an existing file is replaced without a question.
bool TReportScreen::csvExportDialog(TfrxCSVExport& filter) {
    TfrxCSVExportDialog options(filter);
    if (dialogs().showModal(options) != QDialog::Accepted)
        return false;
    QString proposed = filter.FileName.isEmpty() ? QStringLiteral(".csv") : filter.FileName;
    if (!filter.DefaultPath.isEmpty() && QFileInfo(proposed).fileName() == proposed)
        proposed = QDir(filter.DefaultPath).filePath(proposed);
    QString chosen = dialogs().fileDialog(
        {TFileDialog::Save, nullptr, QString(), proposed, QStringLiteral("CSV file (*.csv)"), false});
    if (chosen.isEmpty())
        return false;
    if (QFileInfo(chosen).suffix().isEmpty())
        chosen += QStringLiteral(".csv");
    filter.FileName = chosen;
    return true;
}
