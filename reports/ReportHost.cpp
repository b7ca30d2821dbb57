#include "reports/ReportHost.h"

#include "report_engine/base/ReportError.h"
#include "report_engine/preview/Preview.h"
#include "reports/ProgramDataSource.h"
#include "reports/ReportTemplates.h"
#include "ui/DialogService.h"

#include <QKeyEvent>
#include <QVBoxLayout>

TfrmReportHost::TfrmReportHost(const char* objectName, const char* reportName, TDataSet* list, QWidget* owner)
    : TForm(owner), frxPreview(new TfrxPreview(this)), FKind(*findReportKind(QLatin1String(reportName))),
      FList(list) {
    setObjectName(QLatin1String(objectName));
    setWindowTitle(QStringLiteral("Предварительный просмотр"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinMaxButtonsHint |
                   Qt::WindowCloseButtonHint);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(frxPreview);
    resize(960, 624);
    frxRep.Preview = frxPreview;
}

TfrmReportHost::~TfrmReportHost() {
    frxRep.Preview = nullptr;
}

void TfrmReportHost::FormCreate() {
    FSource = std::make_unique<TProgramDataSource>(FList);
    try {
        loadReportTemplate(frxRep, FKind, *FSource);
    } catch (const EfrxError& error) {
        dialogs().showError(error.message());
        return;
    }
    frxPDFExport.TakeSettings(frxRep.exportSettings(QStringLiteral("frxPDFExport")));
    frxCSVExport.TakeSettings(frxRep.exportSettings(QStringLiteral("frxCSVExport")));
}

// The keys of the preview work as soon as the window is up.
void TfrmReportHost::FormShow() {
    frxPreview->setFocus();
}

// The window has no button to close it, and on a desktop without a window
// manager no close box either: Escape closes it.
void TfrmReportHost::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier)
        close();
    else
        TForm::keyPressEvent(event);
}

void TfrmReportHost::reportPreview() {
    frxRep.ShowReport(true);
}

void TfrmReportHost::reportPrint() {
    frxRep.ShowReport(true);
    frxRep.Print();
}

void TfrmReportHost::exportPdf() {
    reportPreview();
    frxRep.Export(frxPDFExport);
}

void TfrmReportHost::ExportCsv() {
    reportPreview();
    frxRep.Export(frxCSVExport);
}
