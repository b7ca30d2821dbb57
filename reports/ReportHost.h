#pragma once

#include "report_engine/export/csv/CSVExport.h"
#include "report_engine/export/pdf/PDFExport.h"
#include "report_engine/model/Report.h"
#include "ui/Form.h"

#include <memory>

class TDataSet;
class TfrxPreview;
class TProgramDataSource;
struct TReportKind;

// A report host: one report over one list's dataset, the preview control that
// fills the window, and the two export filters with the template's settings.
// Every action prepares the report anew from what the list shows now.
class TfrmReportHost : public TForm {
    Q_OBJECT
public:
    // `list` is the dataset of the list window whose rows the report prints.
    TfrmReportHost(const char* objectName, const char* reportName, TDataSet* list, QWidget* owner = nullptr);
    ~TfrmReportHost() override;

    void reportPreview();
    void reportPrint();
    void exportPdf();
    void ExportCsv();

    TfrxPreview* frxPreview;
    TfrxReport frxRep;
    TfrxPDFExport frxPDFExport;
    TfrxCSVExport frxCSVExport;

protected:
    void FormCreate() override;
    void FormShow() override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    const TReportKind& FKind;
    TDataSet* FList;
    std::unique_ptr<TProgramDataSource> FSource;
};
