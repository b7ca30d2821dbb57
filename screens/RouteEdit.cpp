#include "screens/RouteEdit.h"

#include "framework/EmptyValue.h"
#include "framework/ValidatorNumber.h"
#include "ui/DBEdit.h"

#include <QPushButton>

TfrmRouteEdit::TfrmRouteEdit(QWidget* AOwner, TCrudController* crud, TDataSource* dataSource)
    : TEditForm(AOwner, crud, QStringLiteral("frmRouteEdit"), QStringLiteral("Редактирование маршрута")) {
    editAirStart = addBox(fieldsArea(), "editAirStart", QStringLiteral("Место отправления:"), dataSource,
                          QStringLiteral("airStart"), 0);
    editAirTarget = addBox(fieldsArea(), "editAirTarget", QStringLiteral("Место назначения:"), dataSource,
                           QStringLiteral("airTarget"), 1);
    editPrice = addBox(fieldsArea(), "editPrice", QStringLiteral("Базовая стоимость, руб.:"), dataSource,
                       QStringLiteral("price"), 2);
    editTimes = addBox(fieldsArea(), "editTimes", QStringLiteral("Время полета, мин.:"), dataSource,
                       QStringLiteral("times"), 3);
    editAirStart->setMinimumWidth(260);
    addButtons("btnSaveGeneral", true);
    setTabOrderChain({btnSave, btnClose, editAirStart, editAirTarget, editPrice, editTimes});
}

void TfrmRouteEdit::checkForm() {
    requireText(editAirStart, QStringLiteral("Введите место отправления"));
    requireText(editAirTarget, QStringLiteral("Введите место назначения"));
    if (!TValidatorNumber::AboveZeroFloat(editPrice->text()))
        throw EmptyValueException(QStringLiteral("Введите базовую стоимость полета"));
    if (!TValidatorNumber::AboveZeroInt(editTimes->text()))
        throw EmptyValueException(QStringLiteral("Введите время полета в минутах"));
}
