#include "reports/PrintDialog.h"

#include "report_engine/print/Printers.h"
#include "report_engine/run/PageNumbers.h"
#include "reports/PageRangeGroup.h"
#include "reports/PrintPictures.h"
#include "reports/PrinterProperties.h"
#include "ui/DialogService.h"
#include "ui/ShowingErrors.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {
QComboBox* choices(const char* name, const QStringList& items) {
    auto* combo = new QComboBox;
    combo->setObjectName(QLatin1String(name));
    combo->addItems(items);
    return combo;
}

QLabel* label(const char* name, const QString& text) {
    auto* shown = new QLabel(text);
    shown->setObjectName(QLatin1String(name));
    return shown;
}
} // namespace

TfrxPrintDialog::TfrxPrintDialog(TfrxPrintOptions& options, int currentPage)
    : TfrxExportDialog(QStringLiteral("TfrxPrintDialog"), QStringLiteral("Print")), FOptions(options),
      FCurrentPage(currentPage), FPreviousPrinter(frxPrinters().PrinterIndex()),
      FPages(new TfrxPageRangeGroup(QStringLiteral("Pages"), options.PageNumbers)) {
    FPages->setObjectName(QStringLiteral("PagesGroup"));
    auto* grid = new QGridLayout;
    grid->addWidget(printerGroup(), 0, 0, 1, 2);
    grid->addWidget(FPages, 1, 0);
    grid->addWidget(copiesGroup(), 1, 1);
    grid->addWidget(printModeGroup(), 2, 0);
    grid->addWidget(otherGroup(), 2, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    addButtons(*layout);
    showOptions(options);
}

QWidget* TfrxPrintDialog::printerGroup() {
    auto* group = named(new QGroupBox(QStringLiteral("Printer")), "PrinterGroup");
    PrintersCB = named(new QComboBox, "PrintersCB");
    const QIcon icon(frxPrintPictures::printer());
    for (const QString& name : frxPrinters().Printers())
        PrintersCB->addItem(icon, name);
    PrintersCB->setCurrentIndex(frxPrinters().PrinterIndex());
    WhereL = label("WhereL", QString());
    auto* properties = named(new QPushButton(QStringLiteral("Properties...")), "PropButton");
    FileCB = named(new QCheckBox(QStringLiteral("Print to file")), "FileCB");
    auto* layout = new QGridLayout(group);
    layout->addWidget(label("NameL", QStringLiteral("Name:")), 0, 0);
    layout->addWidget(PrintersCB, 0, 1);
    layout->addWidget(properties, 0, 2);
    layout->addWidget(label("WhereL1", QStringLiteral("Where:")), 1, 0);
    layout->addWidget(WhereL, 1, 1);
    layout->addWidget(FileCB, 1, 2);
    layout->setColumnStretch(1, 1);
    connect(PrintersCB, &QComboBox::currentIndexChanged, this,
            showingErrors(this, &TfrxPrintDialog::printerChosen));
    connect(properties, &QPushButton::clicked, this, showingErrors(this, &TfrxPrintDialog::propertiesClick));
    return group;
}

QWidget* TfrxPrintDialog::copiesGroup() {
    auto* group = named(new QGroupBox(QStringLiteral("Copies")), "CopiesGroup");
    // A spin box takes digits only and keeps the count within 1 to 1000.
    CopiesE = named(new QSpinBox, "CopiesE");
    CopiesE->setRange(1, 1000);
    CollateCB = named(new QCheckBox(QStringLiteral("Collate")), "CollateCB");
    CollateImg = label("CollateImg", QString());
    auto* layout = new QGridLayout(group);
    layout->addWidget(label("CopiesL", QStringLiteral("Number of copies")), 0, 0);
    layout->addWidget(CopiesE, 0, 1);
    layout->addWidget(CollateImg, 1, 0);
    layout->addWidget(CollateCB, 1, 1);
    connect(CollateCB, &QCheckBox::toggled, this,
            [this](bool collated) { CollateImg->setPixmap(frxPrintPictures::collate(collated)); });
    return group;
}

QWidget* TfrxPrintDialog::printModeGroup() {
    auto* group = named(new QGroupBox(QStringLiteral("Print mode")), "ScaleGroup");
    ScaleCB = named(new QComboBox, "ScaleCB");
    ScaleCB->setIconSize(QSize(32, 24));
    const QStringList modes{QStringLiteral("Default"), QStringLiteral("Split big pages"),
                            QStringLiteral("Join small pages"), QStringLiteral("Scale")};
    for (qsizetype i = 0; i < modes.size(); ++i)
        ScaleCB->addItem(QIcon(frxPrintPictures::printMode(static_cast<TfrxPrintMode>(i))), modes[i]);
    PaperCB = named(new QComboBox, "PaperCB");
    PagesOnSheetCB = choices("PagesOnSheetCB", {QStringLiteral("2"), QStringLiteral("4")});
    auto* layout = new QFormLayout(group);
    layout->addRow(ScaleCB);
    layout->addRow(label("PrintOnSheetL", QStringLiteral("Print on sheet")), PaperCB);
    layout->addRow(label("PagesOnSheetL", QStringLiteral("Pages on sheet")), PagesOnSheetCB);
    connect(ScaleCB, &QComboBox::currentIndexChanged, this, &TfrxPrintDialog::modeChanged);
    return group;
}

QWidget* TfrxPrintDialog::otherGroup() {
    auto* group = named(new QGroupBox(QStringLiteral("Other")), "OtherGroup");
    PagesCB = choices(
        "PagesCB", {QStringLiteral("All pages"), QStringLiteral("Odd pages"), QStringLiteral("Even pages")});
    DuplexCB = choices("DuplexCB", {QStringLiteral("Default"), QStringLiteral("Vertical"),
                                    QStringLiteral("Horizontal"), QStringLiteral("Simplex")});
    OrderCB = choices("OrderCB", {QStringLiteral("Direct (1-9)"), QStringLiteral("Reverse (9-1)")});
    auto* layout = new QFormLayout(group);
    layout->addRow(label("PrintL", QStringLiteral("Print")), PagesCB);
    layout->addRow(label("DuplexL", QStringLiteral("Duplex")), DuplexCB);
    layout->addRow(label("OrderL", QStringLiteral("Order")), OrderCB);
    return group;
}

void TfrxPrintDialog::showOptions(const TfrxPrintOptions& options) {
    printerChosen(PrintersCB->currentIndex());
    CopiesE->setValue(std::max(options.Copies, 1));
    CollateCB->setChecked(options.Collate);
    CollateImg->setPixmap(frxPrintPictures::collate(options.Collate));
    ScaleCB->setCurrentIndex(static_cast<int>(options.PrintMode));
    PagesOnSheetCB->setCurrentIndex(options.PagesOnSheet == 4 ? 1 : 0);
    PagesCB->setCurrentIndex(static_cast<int>(options.PrintPages));
    DuplexCB->setCurrentIndex(static_cast<int>(options.Duplex));
    OrderCB->setCurrentIndex(options.Reverse ? 1 : 0);
    const int paper = frxPrinters().Printer().PaperIndex(options.PrintOnSheet);
    PaperCB->setCurrentIndex(paper >= 0 ? paper + 1 : 0);
    modeChanged();
}

// The printer chosen is current at once: its port and papers are shown.
void TfrxPrintDialog::printerChosen(int index) {
    frxPrinters().SetPrinterIndex(index);
    const TfrxCustomPrinter& printer = frxPrinters().Printer();
    WhereL->setText(printer.Port());
    const QString paper = PaperCB->currentText();
    PaperCB->clear();
    PaperCB->addItem(QStringLiteral("Default"));
    PaperCB->addItems(printer.paperNames());
    PaperCB->setCurrentIndex(std::max(PaperCB->findText(paper), 0));
}

void TfrxPrintDialog::propertiesClick() {
    TfrxPrinterProperties properties(frxPrinters().Printer());
    if (dialogs().showModal(properties) == QDialog::Accepted)
        DuplexCB->setCurrentIndex(static_cast<int>(frxPrinters().Printer().DefDuplex));
}

void TfrxPrintDialog::modeChanged() {
    const auto mode = static_cast<TfrxPrintMode>(ScaleCB->currentIndex());
    PaperCB->setEnabled(mode != TfrxPrintMode::pmDefault);
    PagesOnSheetCB->setEnabled(mode == TfrxPrintMode::pmJoin);
}

bool TfrxPrintDialog::pageListReadable() {
    const QString list = FPages->pageNumbers();
    if (frxParsePageNumbers(list, 1))
        return true;
    dialogs().messageBox({TMsgKind::Error, this, QStringLiteral("Error"),
                          QStringLiteral("Invalid page numbers: %1").arg(list), TMsgIcon::Stop,
                          TMsgButton::Ok});
    return false;
}

// Printing to a file asks for the file first; cancelling that cancels the print.
void TfrxPrintDialog::confirm() {
    if (!pageListReadable())
        return;
    FFileName.clear();
    if (FileCB->isChecked()) {
        const QString chosen = dialogs().fileDialog({TFileDialog::Save, this, QStringLiteral("Print to file"),
                                                     QString(), QStringLiteral("Printer file (*.prn)")});
        if (chosen.isEmpty()) {
            reject();
            return;
        }
        const QFileInfo file(chosen);
        FFileName = file.suffix().compare(QLatin1String("prn"), Qt::CaseInsensitive) == 0
                        ? chosen
                        : file.dir().filePath(file.completeBaseName() + QStringLiteral(".prn"));
    }
    TfrxExportDialog::confirm();
}

void TfrxPrintDialog::store() {
    FOptions.Copies = CopiesE->value();
    FOptions.Collate = CollateCB->isChecked();
    FOptions.PageNumbers = FPages->currentPage() ? QString::number(FCurrentPage) : FPages->pageNumbers();
    FOptions.PrintPages = static_cast<TfrxPrintPages>(PagesCB->currentIndex());
    FOptions.Duplex = static_cast<TfrxDuplexMode>(DuplexCB->currentIndex());
    FOptions.Reverse = OrderCB->currentIndex() == 1;
    FOptions.PrintMode = static_cast<TfrxPrintMode>(ScaleCB->currentIndex());
    FOptions.PrintOnSheet =
        PaperCB->currentIndex() > 0 ? frxPrinters().Printer().PaperNameToNumber(PaperCB->currentText()) : 0;
    FOptions.PagesOnSheet = PagesOnSheetCB->currentText().toInt();
    if (!FFileName.isEmpty())
        FOptions.PrnOutFileName = FFileName;
}

void TfrxPrintDialog::reject() {
    frxPrinters().SetPrinterIndex(FPreviousPrinter);
    TfrxExportDialog::reject();
}
