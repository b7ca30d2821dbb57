#include "framework/CrudController.h"

#include "data/DataSet.h"
#include "ui/DialogService.h"

TCrudController::TCrudController(TDataSet* table) : filter(table), tbl(table), dbHelper(table) {}

void TCrudController::add() {
    dbHelper.isTableWrite();
    tbl->Append();
}

void TCrudController::edit() {
    dbHelper.isSelected();
    dbHelper.isTableWrite();
    tbl->Edit();
}

void TCrudController::Delete() {
    dbHelper.isSelected();
    dbHelper.isTableWrite();
    if (dialogs().confirm(nullptr, QStringLiteral("Вы действительно хотите удалить?"),
                          QStringLiteral("Удаление"))) {
        tbl->Delete();
    }
}

void TCrudController::post() {
    tbl->Post();
}

void TCrudController::cancel() {
    tbl->Cancel();
}

void TCrudController::refresh() {
    tbl->SetActive(false);
    tbl->SetActive(true);
}

bool TCrudController::isModified() const {
    return tbl->Modified();
}

bool TCrudController::IsSelectedRecord() {
    if (tbl->RecNo() > 0) {
        return true;
    }
    dialogs().notice(nullptr, QStringLiteral("Нужно выбрать запись"));
    return false;
}

void TCrudController::ClearFieldValue(const QString& fieldName) {
    tbl->FieldByName(fieldName)->Clear();
}
