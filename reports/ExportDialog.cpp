#include "reports/ExportDialog.h"
#include "ui/ShowingErrors.h"

#include <QBoxLayout>
#include <QDialogButtonBox>
#include <QPushButton>

TfrxExportDialog::TfrxExportDialog(const QString& name, const QString& caption)
    : QDialog(nullptr, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint) {
    setObjectName(name);
    setWindowTitle(caption);
}

void TfrxExportDialog::addButtons(QBoxLayout& layout) {
    auto* buttons = new QDialogButtonBox;
    QPushButton* ok = named(buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole), "OkB");
    named(buttons->addButton(QStringLiteral("Cancel"), QDialogButtonBox::RejectRole), "CancelB");
    ok->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, showingErrors(this, &TfrxExportDialog::confirm));
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout.addWidget(buttons);
    layout.setSizeConstraint(QLayout::SetFixedSize);
}

void TfrxExportDialog::confirm() {
    store();
    accept();
}
