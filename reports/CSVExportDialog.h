#pragma once

#include <QDialog>

class QCheckBox;
class QLineEdit;
class QRadioButton;
class TfrxCSVExport;

// The options of a CSV export: which pages, the code page, the separator and
// whether to open the file afterwards. OK stores them in the filter, where they
// stay for the next export from the same window.
class TfrxCSVExportDialog : public QDialog {
public:
    explicit TfrxCSVExportDialog(TfrxCSVExport& filter, QWidget* parent = nullptr);

private:
    void store();

    TfrxCSVExport& FFilter;
    QRadioButton* AllRB;
    QRadioButton* CurPageRB;
    QRadioButton* PageNumbersRB;
    QLineEdit* PageNumbersE;
    QCheckBox* OEMCB;
    QLineEdit* SeparatorE;
    QCheckBox* OpenCB;
};
