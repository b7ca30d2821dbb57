#include "screens/AirEdit.h"

#include "framework/EmptyValue.h"
#include "framework/ValidatorDate.h"
#include "framework/ValidatorNumber.h"
#include "ui/DBCheckBox.h"
#include "ui/DBEdit.h"
#include "ui/DBLookupComboBox.h"

#include <QPushButton>

TfrmAirEdit::TfrmAirEdit(QWidget* AOwner, TCrudController* crud, TDataSource* dataSource,
                         TDataSource* sotrudnik)
    : TEditForm(AOwner, crud, QStringLiteral("frmAirEdit"), QStringLiteral("Редактирование авиалайнера")) {
    QWidget* area = fieldsArea();
    editBort =
        addBox(area, "editBort", QStringLiteral("Бортовой номер:"), dataSource, QStringLiteral("bortNum"), 0);
    editModel = addBox(area, "editModel", QStringLiteral("Модель самолета:"), dataSource,
                       QStringLiteral("model"), 0, 1);
    editLifeTime = addBox(area, "editLifeTime", QStringLiteral("Срок эксплуатации:"), dataSource,
                          QStringLiteral("lifetime"), 1);
    editSeats = addBox(area, "editSeats", QStringLiteral("Количество посадочных мест:"), dataSource,
                       QStringLiteral("seats"), 1, 1);
    editDateCreate = addBox(area, "editDateCreate", QStringLiteral("Дата ввода в эксплуатацию:"), dataSource,
                            QStringLiteral("date_create"), 2);
    cbSotrudnik = new TDBLookupComboBox(area);
    cbSotrudnik->setObjectName(QStringLiteral("cbSotrudnik"));
    cbSotrudnik->SetListSource(sotrudnik);
    cbSotrudnik->SetKeyField(QStringLiteral("id"));
    cbSotrudnik->SetListField(QStringLiteral("c_fio"));
    cbSotrudnik->SetDataSource(dataSource);
    cbSotrudnik->SetDataField(QStringLiteral("sotrudnik_id"));
    addControl(area, cbSotrudnik, QStringLiteral("Командир авиалайнера:"), 3, 0, 2);
    DBCheckBox1 =
        new TDBCheckBox(QStringLiteral("Готовность к вылету (Да - отмечено; Нет - сброшено)"), area);
    DBCheckBox1->setObjectName(QStringLiteral("DBCheckBox1"));
    DBCheckBox1->SetDataSource(dataSource);
    DBCheckBox1->SetDataField(QStringLiteral("isActive"));
    addControl(area, DBCheckBox1, QString(), 4, 0, 2);
    editBort->setMinimumWidth(200);
    editModel->setMinimumWidth(200);
    addButtons("btnSaveGeneral", true);
    setTabOrderChain({btnSave, btnClose, editBort, cbSotrudnik, editModel, editLifeTime, editSeats,
                      editDateCreate, DBCheckBox1});
}

void TfrmAirEdit::checkForm() {
    requireText(editBort, QStringLiteral("Введите бортовой номер самолета"));
    requireText(editModel, QStringLiteral("Введите модель самолета"));
    if (!TValidatorNumber::AboveZeroInt(editLifeTime->text()))
        throw EmptyValueException(QStringLiteral("Необходимо указать срок эксплуатации в годах"));
    if (!TValidatorNumber::AboveZeroInt(editSeats->text()))
        throw EmptyValueException(QStringLiteral("Необходимо указать количество посадочных мест"));
    if (!TValidatorDate::IsValidDate(editDateCreate->Text()))
        throw EmptyValueException(QStringLiteral("Необходимо указать дату ввода в эксплуатацию"));
    if (cbSotrudnik->Text().isEmpty())
        throw EmptyValueException(QStringLiteral("Выберите командира авиалайнера"));
}
