#include "screens/EditForm.h"

#include "data/Exception.h"
#include "data/SoldOut.h"
#include "framework/CrudController.h"
#include "framework/EmptyValue.h"
#include "ui/DBEdit.h"
#include "ui/DialogService.h"
#include "ui/ShowingErrors.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TEditForm::TEditForm(QWidget* AOwner, TCrudController* crud, const QString& name, const QString& caption)
    : TForm(AOwner), FCrud(crud), FFieldsArea(new QWidget(this)) {
    setObjectName(name);
    setWindowTitle(caption);
    // A fixed-size dialog with the close box only.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                   Qt::MSWindowsFixedSizeDialogHint);
    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addWidget(FFieldsArea);
}

void TEditForm::trySaveForm() {
    try {
        checkForm();
        checkBoxValues();
        FCrud->post();
        close();
    } catch (const EmptyValueException& e) {
        dialogs().information(this, e.Message(), QStringLiteral("Сообщение"));
    } catch (const ESoldOut& e) {
        // The table's own rule, told in the words of the window's checks.
        dialogs().information(this, e.Message(), QStringLiteral("Сообщение"));
    } catch (const Exception&) {
        // The engine's own text means nothing to the user; the record stays as
        // typed so that it can be corrected and saved again.
        dialogs().information(this, QStringLiteral("Произозла ошибка сохранения данных"),
                              QStringLiteral("Ошибка записи"));
    }
}

// A save asked for on closing that fails has told the user why, and what was
// typed stays in the open window, to be put right, or dropped by closing again
// and answering No; closing without a word would lose it.
void TEditForm::FormClose() {
    if (FCrud->isModified() &&
        dialogs().confirm(this, QStringLiteral("Были сделаны изменения. Хотите сохранить?"),
                          QStringLiteral("Сохранение"))) {
        trySaveForm();
        if (FCrud->isModified()) {
            keepOpen();
            return;
        }
    }
    FCrud->cancel();
}

// A long text, an address say, shows from its beginning, as it reads. The
// window opens on the first control of its tab order, not on wherever the
// focus was left the last time it was shown.
void TEditForm::showEvent(QShowEvent* event) {
    TForm::showEvent(event);
    for (QLineEdit* box : findChildren<QLineEdit*>())
        box->setCursorPosition(0);
    if (FFirstInTabOrder)
        FFirstInTabOrder->setFocus(Qt::OtherFocusReason);
}

void TEditForm::checkBoxValues() const {
    for (const TDBEdit* box : findChildren<TDBEdit*>())
        if (!box->HoldsValue())
            throw EmptyValueException(QStringLiteral("Неверное значение в поле «%1»").arg(captionOf(box)));
}

// The label's text without its colon and accelerator: "Время:" names "Время".
QString TEditForm::captionOf(const QWidget* box) const {
    for (const QLabel* label : findChildren<QLabel*>())
        if (label->buddy() == box) {
            QString caption = label->text().remove(QLatin1Char('&')).trimmed();
            if (caption.endsWith(QLatin1Char(':')))
                caption.chop(1);
            return caption;
        }
    return box->objectName();
}

QGridLayout* TEditForm::gridOf(QWidget* area) {
    if (auto* grid = qobject_cast<QGridLayout*>(area->layout()))
        return grid;
    return new QGridLayout(area);
}

TDBEdit* TEditForm::addBox(QWidget* area, const char* name, const QString& label, TDataSource* dataSource,
                           const QString& field, int row, int column) {
    auto* box = new TDBEdit(area);
    box->setObjectName(QString::fromLatin1(name));
    box->SetDataSource(dataSource);
    box->SetDataField(field);
    addControl(area, box, label, row, column);
    return box;
}

void TEditForm::addControl(QWidget* area, QWidget* control, const QString& label, int row, int column,
                           int columnSpan) {
    QGridLayout* grid = gridOf(area);
    if (!label.isEmpty()) {
        auto* caption = new QLabel(label, area);
        caption->setBuddy(control);
        grid->addWidget(caption, row * 2, column, 1, columnSpan);
    }
    grid->addWidget(control, row * 2 + 1, column, 1, columnSpan);
}

void TEditForm::addButtons(const char* saveName, bool defaultAndCancel) {
    btnSave = new QPushButton(QStringLiteral("Сохранить"), this);
    btnSave->setObjectName(QString::fromLatin1(saveName));
    btnClose = new QPushButton(QStringLiteral("Закрыть"), this);
    btnClose->setObjectName(QStringLiteral("btnClose"));
    // Without a default button Enter must press nothing, so no button may
    // become the default by having the focus either.
    btnSave->setAutoDefault(defaultAndCancel);
    btnClose->setAutoDefault(false);
    btnSave->setDefault(defaultAndCancel);
    if (defaultAndCancel)
        setCancelButton(btnClose);
    connect(btnSave, &QPushButton::clicked, this, showingErrors(this, &TEditForm::trySaveForm));
    connect(btnClose, &QPushButton::clicked, this, &TEditForm::close);
    auto* row = new QHBoxLayout;
    row->addStretch();
    row->addWidget(btnSave);
    row->addWidget(btnClose);
    static_cast<QVBoxLayout*>(layout())->addLayout(row);
}

void TEditForm::setTabOrderChain(const QList<QWidget*>& widgets) {
    FFirstInTabOrder = widgets.value(0);
    for (qsizetype i = 1; i < widgets.size(); ++i)
        setTabOrder(widgets[i - 1], widgets[i]);
}

void TEditForm::requireText(const QLineEdit* box, const QString& message) {
    if (box->text().isEmpty())
        throw EmptyValueException(message);
}
