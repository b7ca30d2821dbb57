#include "reports/PageRangeGroup.h"

#include "report_engine/export/common/ExportFilter.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QRegularExpressionValidator>

TfrxPageRangeGroup::TfrxPageRangeGroup(const TfrxCustomExportFilter& filter)
    : TfrxPageRangeGroup(QStringLiteral("Page range"), filter.PageNumbers) {}

TfrxPageRangeGroup::TfrxPageRangeGroup(const QString& caption, const QString& pageNumbers)
    : QGroupBox(caption), AllRB(new QRadioButton(QStringLiteral("All"))),
      CurPageRB(new QRadioButton(QStringLiteral("Current page"))),
      PageNumbersRB(new QRadioButton(QStringLiteral("Pages:"))), PageNumbersE(new QLineEdit) {
    setObjectName(QStringLiteral("GroupPageRange"));
    AllRB->setObjectName(QStringLiteral("AllRB"));
    CurPageRB->setObjectName(QStringLiteral("CurPageRB"));
    PageNumbersRB->setObjectName(QStringLiteral("PageNumbersRB"));
    PageNumbersE->setObjectName(QStringLiteral("PageNumbersE"));
    auto* hint = new QLabel(
        QStringLiteral("Enter page numbers and/or page ranges, separated by commas. For example, 1,3,5-12"));
    hint->setObjectName(QStringLiteral("DescrL"));
    hint->setWordWrap(true);
    auto* layout = new QGridLayout(this);
    layout->addWidget(AllRB, 0, 0, 1, 2);
    layout->addWidget(CurPageRB, 1, 0, 1, 2);
    layout->addWidget(PageNumbersRB, 2, 0);
    layout->addWidget(PageNumbersE, 2, 1);
    layout->addWidget(hint, 3, 0, 1, 2);
    // Page lists are digits, commas and dashes; typing one chooses it.
    PageNumbersE->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9,-]*")), PageNumbersE));
    connect(PageNumbersE, &QLineEdit::textEdited, PageNumbersRB, [this] { PageNumbersRB->setChecked(true); });
    PageNumbersE->setText(pageNumbers);
    (pageNumbers.isEmpty() ? AllRB : PageNumbersRB)->setChecked(true);
}

bool TfrxPageRangeGroup::currentPage() const {
    return CurPageRB->isChecked();
}

QString TfrxPageRangeGroup::pageNumbers() const {
    return PageNumbersRB->isChecked() ? PageNumbersE->text() : QString();
}

void TfrxPageRangeGroup::store(TfrxCustomExportFilter& filter) const {
    filter.CurPage = currentPage();
    filter.PageNumbers = pageNumbers();
}
