#include "data/AirDm.h"

#include "data/DataSet.h"
#include "data/DbCalcField.h"

TdmAir::TdmAir(TConnection* connection, TDataSet* sotrudnik, QObject* parent)
    : TTableDm(QStringLiteral("dmAir"), QStringLiteral("tblAir"), QStringLiteral("[id]"), connection,
               parent) {
    tbl->AddDataField(QStringLiteral("id"), TFieldType::AutoInc);
    tbl->AddDataField(QStringLiteral("sotrudnik_id"), TFieldType::Integer);
    tbl->AddLookupField(QStringLiteral("sotrudnik.c_fio"), TFieldType::String, 90,
                        QStringLiteral("sotrudnik_id"), sotrudnik, QStringLiteral("id"),
                        QStringLiteral("c_fio"));
    tbl->AddDataField(QStringLiteral("bortNum"), TFieldType::String, 15);
    tbl->AddDataField(QStringLiteral("model"), TFieldType::String, 25);
    tbl->AddDataField(QStringLiteral("date_create"), TFieldType::DateTime)->EditMask =
        QStringLiteral("!99/99/0000;1;_");
    tbl->AddDataField(QStringLiteral("lifetime"), TFieldType::Integer);
    tbl->AddDataField(QStringLiteral("isActive"), TFieldType::Boolean)->DisplayValues =
        QStringLiteral("Да;Нет");
    tbl->AddDataField(QStringLiteral("seats"), TFieldType::Integer);
    tbl->AddCalcField(QStringLiteral("ToString"), TFieldType::String, 250);
    tbl->AfterInsert = [this](TDataSet* dataSet) { tblAfterInsert(dataSet); };
    tbl->OnCalcFields = [this](TDataSet* dataSet) { tblCalcFields(dataSet); };
}

void TdmAir::tblAfterInsert(TDataSet* DataSet) {
    DataSet->FieldByName(QStringLiteral("isActive"))->SetAsBoolean(true);
}

void TdmAir::tblCalcFields(TDataSet* DataSet) {
    DataSet->FieldByName(QStringLiteral("ToString"))->SetAsString(getAirToString(DataSet));
}

QString TdmAir::getAirToString(TDataSet* DataSet) const {
    const TDbCalcField record(DataSet);
    return QStringLiteral("Бортовой №") + record.getStringValue(QStringLiteral("bortNum")) +
           QStringLiteral(" | Модель: ") + record.getStringValue(QStringLiteral("model")) +
           QStringLiteral(" Готовность ") + record.getStringValue(QStringLiteral("isActive")) +
           QStringLiteral(" | Мест: ") + record.getStringValue(QStringLiteral("seats"));
}
