#pragma once

#include "reports/ExportDialog.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QSpinBox;
class TfrxPageRangeGroup;
struct TfrxPrintOptions;

// The print dialog: the printer (choosing one makes it current at once), the
// pages, copies, print mode and the other choices of one print. OK stores them
// in the print options, after asking for the file when printing to a file;
// Cancel selects the printer that was current before again.
class TfrxPrintDialog : public TfrxExportDialog {
public:
    TfrxPrintDialog(TfrxPrintOptions& options, int currentPage);

protected:
    void store() override;
    void confirm() override;
    void reject() override;

private:
    QWidget* printerGroup();
    QWidget* copiesGroup();
    QWidget* printModeGroup();
    QWidget* otherGroup();
    void showOptions(const TfrxPrintOptions& options);
    void printerChosen(int index);
    void propertiesClick();
    void modeChanged();
    bool pageListReadable();

    TfrxPrintOptions& FOptions;
    int FCurrentPage;
    int FPreviousPrinter;
    QString FFileName;
    QComboBox* PrintersCB;
    QLabel* WhereL;
    QCheckBox* FileCB;
    TfrxPageRangeGroup* FPages;
    QSpinBox* CopiesE;
    QCheckBox* CollateCB;
    QLabel* CollateImg;
    QComboBox* ScaleCB;
    QComboBox* PaperCB;
    QComboBox* PagesOnSheetCB;
    QComboBox* PagesCB;
    QComboBox* DuplexCB;
    QComboBox* OrderCB;
};
