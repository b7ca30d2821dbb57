#pragma once

#include "ui/Form.h"

class QGroupBox;
class QPushButton;
class QRadioButton;
class TCrudController;
class TfrmReportHost;

// A report launch window: the user picks preview, printing or an export and
// presses "Выполнить"; the report host carries it out. The window stays open,
// the choice kept, so another action can follow.
class TfrmPrintReport : public TForm {
    Q_OBJECT
public:
    using THost = TfrmReportHost* (*)();

    TfrmPrintReport(const char* objectName, const QString& caption, THost host, QWidget* owner,
                    TCrudController* crud);

    void btnExecClick();
    void execReport();
    void repPreview();
    void btnCloseClick() { close(); }

    QGroupBox* GroupBox1;
    QRadioButton* cmdPreview;
    QRadioButton* cmdPrint;
    QRadioButton* cmdExportPdf;
    QRadioButton* cmdExportCsv;
    QPushButton* btnExec;
    QPushButton* btnClose;

private:
    TfrmReportHost& host() const;

    THost FHost;
    TCrudController* FCrud;
};
