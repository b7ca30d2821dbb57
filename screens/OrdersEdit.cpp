#include "screens/OrdersEdit.h"

#include "data/OrdersDm.h"
#include "framework/EmptyValue.h"
#include "screens/Chooser.h"
#include "ui/DBEdit.h"
#include "ui/DBLookupComboBox.h"

#include <QLabel>
#include <QPushButton>

TfrmOrdersEdit::TfrmOrdersEdit(QWidget* AOwner, TCrudController* crud, TdmOrders* module,
                               TDataSource* clients, TDataSource* flights, TDataSource* cards,
                               TForm* clientsList, TForm* flightsList)
    : TEditForm(AOwner, crud, QStringLiteral("frmOrdersEdit"), QStringLiteral("Регистрация продажи билета")) {
    QWidget* area = fieldsArea();
    TDataSource* ds = module->ds;
    cbClient = TChooser::create(area, "cbClient", clients, QStringLiteral("c_fio"), ds,
                                QStringLiteral("clients_id"));
    cbClient->setMinimumWidth(420);
    addControl(area, cbClient, QStringLiteral("Клиент:"), 0);
    addControl(area, TChooser::findButton(area, "btnPositionFilter", clientsList), QString(), 0, 1);
    cbFlight = TChooser::create(area, "cbFlight", flights, QStringLiteral("ToString"), ds,
                                QStringLiteral("flight_id"));
    addControl(area, cbFlight, QStringLiteral("Рейс:"), 1);
    addControl(area, TChooser::findButton(area, "BitBtn1", flightsList), QString(), 1, 1);
    cbCard = TChooser::create(area, "cbCard", cards, QStringLiteral("names"), ds, QStringLiteral("card_id"));
    addControl(area, cbCard, QStringLiteral("Тип билета:"), 2);
    editMesto = addBox(area, "editMesto", QStringLiteral("Место:"), ds, QStringLiteral("mesto"), 3);
    // Every sale is of one ticket, so its number is kept out of sight.
    editCount = addBox(area, "editCount", QString(), ds, QStringLiteral("counts"), 4);
    editCount->hide();
    auto* Label10 = new QLabel(QStringLiteral("Количество:"), area);
    Label10->setObjectName(QStringLiteral("Label10"));
    Label10->setBuddy(editCount);
    Label10->hide();
    addButtons("btnSave", true);
    btnClose->setObjectName(QStringLiteral("BitBtn2"));
    btnClose->setText(QStringLiteral("Отмена"));
}

void TfrmOrdersEdit::checkForm() {
    if (cbClient->Text().isEmpty())
        throw EmptyValueException(QStringLiteral("Выберите клиента"));
    if (cbFlight->Text().isEmpty())
        throw EmptyValueException(QStringLiteral("Выберите рейс"));
    if (cbCard->Text().isEmpty())
        throw EmptyValueException(QStringLiteral("Выберите тип билета"));
}
