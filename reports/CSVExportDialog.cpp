#include "reports/CSVExportDialog.h"

#include "report_engine/export/csv/CSVExport.h"
#include "reports/PageRangeGroup.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

TfrxCSVExportDialog::TfrxCSVExportDialog(TfrxCSVExport& filter)
    : TfrxExportDialog(QStringLiteral("TfrxCSVExportDialog"), QStringLiteral("Export to CSV")),
      FFilter(filter), FPageRange(new TfrxPageRangeGroup(filter)),
      OEMCB(named(new QCheckBox(QStringLiteral("OEM codepage")), "OEMCB")),
      SeparatorE(named(new QLineEdit, "SeparatorE")),
      OpenCB(named(new QCheckBox(QStringLiteral("Open after export")), "OpenCB")) {
    auto* properties = named(new QGroupBox(QStringLiteral(" Export properties  ")), "GroupQuality");
    auto* propertiesLayout = new QGridLayout(properties);
    propertiesLayout->addWidget(OEMCB, 0, 0, 1, 2);
    propertiesLayout->addWidget(named(new QLabel(QStringLiteral("Separator")), "SeparatorLB"), 1, 0);
    propertiesLayout->addWidget(SeparatorE, 1, 1);
    propertiesLayout->addWidget(OpenCB, 2, 0, 1, 2);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(FPageRange);
    layout->addWidget(properties);
    addButtons(*layout);

    OEMCB->setChecked(filter.OEMCodepage);
    SeparatorE->setText(filter.Separator);
    OpenCB->setChecked(filter.OpenAfterExport);
}

void TfrxCSVExportDialog::store() {
    FPageRange->store(FFilter);
    FFilter.OpenAfterExport = OpenCB->isChecked();
    FFilter.OEMCodepage = OEMCB->isChecked();
    FFilter.Separator = SeparatorE->text();
}
