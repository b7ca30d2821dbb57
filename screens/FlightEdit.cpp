#include "screens/FlightEdit.h"

#include "framework/EmptyValue.h"
#include "framework/ValidatorDate.h"
#include "screens/Chooser.h"
#include "ui/DBCheckBox.h"
#include "ui/DBEdit.h"
#include "ui/DBLookupComboBox.h"

#include <QPushButton>

TfrmFlightEdit::TfrmFlightEdit(QWidget* AOwner, TCrudController* crud, TDataSource* dataSource,
                               TDataSource* airs, TDataSource* routes, TForm* airList, TForm* routeList)
    : TEditForm(AOwner, crud, QStringLiteral("frmFlightEdit"), QStringLiteral("Редактирование рейса")) {
    QWidget* area = fieldsArea();
    cbAir = TChooser::create(area, "cbAir", airs, QStringLiteral("ToString"), dataSource,
                             QStringLiteral("air_id"));
    cbAir->setMinimumWidth(420);
    addControl(area, cbAir, QStringLiteral("Авиалайнер:"), 0);
    addControl(area, TChooser::findButton(area, "btnPositionFilter", airList), QString(), 0, 1);
    cbRoute = TChooser::create(area, "cbRoute", routes, QStringLiteral("airToString"), dataSource,
                               QStringLiteral("route_id"));
    addControl(area, cbRoute, QStringLiteral("Маршрут:"), 1);
    addControl(area, TChooser::findButton(area, "BitBtn1", routeList), QString(), 1, 1);
    editDateStart = addBox(area, "editDateStart", QStringLiteral("Дата отправления:"), dataSource,
                           QStringLiteral("dateStart"), 2);
    editTimeStart =
        addBox(area, "editTimeStart", QStringLiteral("Время:"), dataSource, QStringLiteral("timeStart"), 3);
    DBCheckBox1 = new TDBCheckBox(
        QStringLiteral("Статус рейса (Установлено - активный; сброшено - завершенный)"), area);
    DBCheckBox1->setObjectName(QStringLiteral("DBCheckBox1"));
    DBCheckBox1->SetDataSource(dataSource);
    DBCheckBox1->SetDataField(QStringLiteral("isActive"));
    addControl(area, DBCheckBox1, QString(), 4, 0, 2);
    addButtons("btnSave", true);
    btnClose->setObjectName(QStringLiteral("BitBtn2"));
    btnClose->setText(QStringLiteral("Отмена"));
}

void TfrmFlightEdit::checkForm() {
    if (cbAir->Text().isEmpty())
        throw EmptyValueException(QStringLiteral("Выберите авиалайнер"));
    if (cbRoute->Text().isEmpty())
        throw EmptyValueException(QStringLiteral("Выберите маршрут"));
    if (!TValidatorDate::IsValidDate(editDateStart->text()))
        throw EmptyValueException(QStringLiteral("Необходимо указать дату отпправки"));
}
