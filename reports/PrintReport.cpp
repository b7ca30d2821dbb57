#include "reports/PrintReport.h"

#include "framework/InvalidOperation.h"
#include "reports/ReportHost.h"
#include "ui/DialogService.h"
#include "ui/ShowingErrors.h"

#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <stdexcept>

namespace {
QRadioButton* radio(QGroupBox* box, const char* name, const QString& caption, int top) {
    auto* button = new QRadioButton(caption, box);
    button->setObjectName(QLatin1String(name));
    button->setGeometry(12, top, 226, 20);
    return button;
}

QPushButton* button(QWidget* owner, const char* name, const QString& caption, int top) {
    auto* result = new QPushButton(caption, owner);
    result->setObjectName(QLatin1String(name));
    result->setGeometry(266, top, 100, 27);
    return result;
}
} // namespace

TfrmPrintReport::TfrmPrintReport(const char* objectName, const QString& caption, THost host, QWidget* owner,
                                 TCrudController* crud)
    : TForm(owner), FHost(host), FCrud(crud) {
    setObjectName(QLatin1String(objectName));
    setWindowTitle(caption);
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    setFixedSize(374, 130);
    GroupBox1 = new QGroupBox(this);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    GroupBox1->setGeometry(8, 8, 250, 113);
    cmdPreview = radio(GroupBox1, "cmdPreview", QStringLiteral("Предварительный просмотр"), 12);
    cmdPrint = radio(GroupBox1, "cmdPrint", QStringLiteral("Печать"), 36);
    cmdExportPdf = radio(GroupBox1, "cmdExportPdf", QStringLiteral("Экспорт в PDF"), 60);
    cmdExportCsv = radio(GroupBox1, "cmdExportCsv", QStringLiteral("Экспорт в CSV (Excel)"), 84);
    cmdPreview->setChecked(true);
    btnExec = button(this, "btnExec", QStringLiteral("Выполнить"), 14);
    btnClose = button(this, "btnClose", QStringLiteral("Закрыть"), 50);
    btnExec->setDefault(true);
    connect(btnExec, &QPushButton::clicked, this, showingErrors(this, &TfrmPrintReport::btnExecClick));
    connect(btnClose, &QPushButton::clicked, this, &TfrmPrintReport::btnCloseClick);
    setCancelButton(btnClose);
}

// The user learns that the action failed, not why: what the engine has to say
// it shows itself.
void TfrmPrintReport::btnExecClick() {
    try {
        execReport();
    } catch (const InvalidOperationException& error) {
        dialogs().information(this, error.Message(), QStringLiteral("Сообщение"));
    } catch (const std::exception&) {
        dialogs().information(this, QStringLiteral("Произозла ошибка обработки"), QStringLiteral("Ошибка"));
    }
}

void TfrmPrintReport::execReport() {
    if (cmdPreview->isChecked())
        repPreview();
    else if (cmdPrint->isChecked())
        host().reportPrint();
    else if (cmdExportPdf->isChecked())
        host().exportPdf();
    else if (cmdExportCsv->isChecked())
        host().ExportCsv();
    else
        throw InvalidOperationException(QStringLiteral("Необходимо выбрать действие"));
}

void TfrmPrintReport::repPreview() {
    host().reportPreview();
    host().ShowModal();
}

TfrmReportHost& TfrmPrintReport::host() const {
    TfrmReportHost* host = FHost();
    if (!host)
        throw std::logic_error("the report host of " + objectName().toStdString() + " was not created");
    return *host;
}
