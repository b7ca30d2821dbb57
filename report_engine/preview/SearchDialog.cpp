#include "report_engine/preview/SearchDialog.h"

#include "report_engine/base/EngineTexts.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {
template <class T> T* named(T* widget, const char* name) {
    widget->setObjectName(QLatin1String(name));
    return widget;
}
} // namespace

TfrxSearchDialog::TfrxSearchDialog(QWidget* owner) : QDialog(owner) {
    setObjectName(QStringLiteral("TfrxSearchDialog"));
    setWindowTitle(frxGet("clFindText"));
    setFixedSize(273, 160);
    named(new QLabel(frxGet("clTextToFind"), this), "TextL")->setGeometry(8, 8, 257, 16);
    TextE = named(new QLineEdit(this), "TextE");
    TextE->setGeometry(8, 26, 257, 22);
    auto* options = named(new QGroupBox(frxGet("clSearchOptions"), this), "SearchL");
    options->setGeometry(8, 56, 257, 62);
    CaseCB = named(new QCheckBox(frxGet("clCaseSensitive"), options), "CaseCB");
    CaseCB->setGeometry(10, 18, 240, 18);
    TopCB = named(new QCheckBox(frxGet("clFromBeginning"), options), "TopCB");
    TopCB->setGeometry(10, 38, 240, 18);
    OkB = named(new QPushButton(frxGet("clOk"), this), "OkB");
    OkB->setGeometry(110, 126, 75, 25);
    OkB->setDefault(true);
    CancelB = named(new QPushButton(frxGet("clCancel"), this), "CancelB");
    CancelB->setGeometry(190, 126, 75, 25);
    connect(OkB, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelB, &QPushButton::clicked, this, &QDialog::reject);
}
