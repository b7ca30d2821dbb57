#include "reports/CSVExportDialog.h"

#include "report_engine/CSVExport.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

namespace {
template <class T> T* named(T* widget, const char* name) {
    widget->setObjectName(QLatin1String(name));
    return widget;
}
} // namespace

TfrxCSVExportDialog::TfrxCSVExportDialog(TfrxCSVExport& filter, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint), FFilter(filter),
      AllRB(named(new QRadioButton(QStringLiteral("All")), "AllRB")),
      CurPageRB(named(new QRadioButton(QStringLiteral("Current page")), "CurPageRB")),
      PageNumbersRB(named(new QRadioButton(QStringLiteral("Pages:")), "PageNumbersRB")),
      PageNumbersE(named(new QLineEdit, "PageNumbersE")),
      OEMCB(named(new QCheckBox(QStringLiteral("OEM codepage")), "OEMCB")),
      SeparatorE(named(new QLineEdit, "SeparatorE")),
      OpenCB(named(new QCheckBox(QStringLiteral("Open after export")), "OpenCB")) {
    setObjectName(QStringLiteral("TfrxCSVExportDialog"));
    setWindowTitle(QStringLiteral("Export to CSV"));

    auto* range = named(new QGroupBox(QStringLiteral("Page range")), "GroupPageRange");
    auto* rangeLayout = new QGridLayout(range);
    rangeLayout->addWidget(AllRB, 0, 0, 1, 2);
    rangeLayout->addWidget(CurPageRB, 1, 0, 1, 2);
    rangeLayout->addWidget(PageNumbersRB, 2, 0);
    rangeLayout->addWidget(PageNumbersE, 2, 1);
    auto* hint =
        named(new QLabel(QStringLiteral(
                  "Enter page numbers and/or page ranges, separated by commas. For example, 1,3,5-12")),
              "DescrL");
    hint->setWordWrap(true);
    rangeLayout->addWidget(hint, 3, 0, 1, 2);
    // Page lists are digits, commas and dashes; typing one chooses it.
    PageNumbersE->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9,-]*")), PageNumbersE));
    connect(PageNumbersE, &QLineEdit::textEdited, PageNumbersRB, [this] { PageNumbersRB->setChecked(true); });

    auto* properties = named(new QGroupBox(QStringLiteral(" Export properties  ")), "GroupQuality");
    auto* propertiesLayout = new QGridLayout(properties);
    propertiesLayout->addWidget(OEMCB, 0, 0, 1, 2);
    propertiesLayout->addWidget(named(new QLabel(QStringLiteral("Separator")), "SeparatorLB"), 1, 0);
    propertiesLayout->addWidget(SeparatorE, 1, 1);
    propertiesLayout->addWidget(OpenCB, 2, 0, 1, 2);

    auto* buttons = new QDialogButtonBox;
    QPushButton* ok = named(buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole), "OkB");
    named(buttons->addButton(QStringLiteral("Cancel"), QDialogButtonBox::RejectRole), "CancelB");
    ok->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, [this] {
        store();
        accept();
    });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(range);
    layout->addWidget(properties);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    OEMCB->setChecked(filter.OEMCodepage);
    SeparatorE->setText(filter.Separator);
    OpenCB->setChecked(filter.OpenAfterExport);
    PageNumbersE->setText(filter.PageNumbers);
    (filter.PageNumbers.isEmpty() ? AllRB : PageNumbersRB)->setChecked(true);
}

void TfrxCSVExportDialog::store() {
    FFilter.PageNumbers.clear();
    FFilter.CurPage = CurPageRB->isChecked();
    if (PageNumbersRB->isChecked())
        FFilter.PageNumbers = PageNumbersE->text();
    FFilter.OpenAfterExport = OpenCB->isChecked();
    FFilter.OEMCodepage = OEMCB->isChecked();
    FFilter.Separator = SeparatorE->text();
}
