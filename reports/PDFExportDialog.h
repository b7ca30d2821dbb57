#pragma once

#include "reports/ExportDialog.h"

#include <QList>
#include <utility>

class QCheckBox;
class QLineEdit;
class TfrxPDFExport;
class TfrxPageRangeGroup;

// The options of a PDF export on four tabs: pages and settings, document
// information, passwords and permissions, viewer preferences. OK stores them all
// in the filter, where they stay for the next export from the same window.
class TfrxPDFExportDialog : public TfrxExportDialog {
public:
    explicit TfrxPDFExportDialog(TfrxPDFExport& filter);

private:
    QWidget* exportTab();
    QWidget* informationTab();
    QWidget* securityTab();
    QWidget* viewerTab();
    QCheckBox* box(const char* name, const QString& text, bool* setting);
    QLineEdit* edit(const char* name, QString* setting);
    void store() override;

    TfrxPDFExport& FFilter;
    TfrxPageRangeGroup* FPageRange;
    QLineEdit* QualityE = nullptr;
    QList<std::pair<QCheckBox*, bool*>> FBoxes;
    QList<std::pair<QLineEdit*, QString*>> FEdits;
    QList<std::pair<QCheckBox*, int>> FPermissions;
};
