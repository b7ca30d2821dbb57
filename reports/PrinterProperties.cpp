#include "reports/PrinterProperties.h"

#include "report_engine/print/CustomPrinter.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QVBoxLayout>

TfrxPrinterProperties::TfrxPrinterProperties(TfrxCustomPrinter& printer)
    : TfrxExportDialog(QStringLiteral("TfrxPrinterProperties"),
                       QStringLiteral("%1 Properties").arg(printer.Name())),
      FPrinter(printer), PaperCB(named(new QComboBox, "PaperCB")), BinCB(named(new QComboBox, "BinCB")),
      DuplexCB(named(new QComboBox, "DuplexCB")) {
    PaperCB->addItems(printer.paperNames());
    PaperCB->setCurrentIndex(printer.PaperIndex(printer.DefPaper));
    for (const TfrxBin& bin : printer.Bins) {
        BinCB->addItem(bin.Name, bin.Number);
        if (bin.Number == printer.DefBin)
            BinCB->setCurrentIndex(BinCB->count() - 1);
    }
    DuplexCB->addItems({QStringLiteral("Default"), QStringLiteral("Vertical"), QStringLiteral("Horizontal"),
                        QStringLiteral("Simplex")});
    DuplexCB->setCurrentIndex(static_cast<int>(printer.DefDuplex));
    // A printer that prints one side only offers no choice.
    DuplexCB->setEnabled(printer.CanDuplex);

    auto* group = named(new QGroupBox(QStringLiteral("Paper")), "PaperGroup");
    auto* form = new QFormLayout(group);
    form->addRow(QStringLiteral("Size"), PaperCB);
    form->addRow(QStringLiteral("Source"), BinCB);
    form->addRow(QStringLiteral("Duplex"), DuplexCB);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    addButtons(*layout);
}

void TfrxPrinterProperties::store() {
    if (PaperCB->currentIndex() >= 0)
        FPrinter.DefPaper = FPrinter.Papers[PaperCB->currentIndex()].Number;
    if (BinCB->currentIndex() >= 0)
        FPrinter.DefBin = BinCB->currentData().toInt();
    FPrinter.DefDuplex = static_cast<TfrxDuplexMode>(DuplexCB->currentIndex());
}
