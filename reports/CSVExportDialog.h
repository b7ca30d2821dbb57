#pragma once

#include "reports/ExportDialog.h"

class QCheckBox;
class QLineEdit;
class TfrxCSVExport;
class TfrxPageRangeGroup;

// The options of a CSV export: which pages, the code page, the separator and
// whether to open the file afterwards. OK stores them in the filter, where they
// stay for the next export from the same window.
class TfrxCSVExportDialog : public TfrxExportDialog {
public:
    explicit TfrxCSVExportDialog(TfrxCSVExport& filter);

private:
    void store() override;

    TfrxCSVExport& FFilter;
    TfrxPageRangeGroup* FPageRange;
    QCheckBox* OEMCB;
    QLineEdit* SeparatorE;
    QCheckBox* OpenCB;
};
