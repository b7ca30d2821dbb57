#include "data/RouteDm.h"

#include "data/Currency.h"
#include "data/DataSet.h"
#include "data/DbCalcField.h"

TdmRoute::TdmRoute(TConnection* connection, QObject* parent)
    : TTableDm(QStringLiteral("dmRoute"), QStringLiteral("tblRoute"), QStringLiteral("[airStart]"),
               connection, parent) {
    tbl->AddDataField(QStringLiteral("id"), TFieldType::AutoInc);
    tbl->AddDataField(QStringLiteral("airStart"), TFieldType::String, 50);
    tbl->AddDataField(QStringLiteral("airTarget"), TFieldType::String, 50);
    tbl->AddDataField(QStringLiteral("price"), TFieldType::Float);
    tbl->AddDataField(QStringLiteral("times"), TFieldType::Integer);
    tbl->AddCalcField(QStringLiteral("airToString"), TFieldType::String, 250);
    tbl->OnCalcFields = [this](TDataSet* dataSet) { tblCalcFields(dataSet); };
}

void TdmRoute::tblCalcFields(TDataSet* DataSet) {
    DataSet->FieldByName(QStringLiteral("airToString"))->SetAsString(getAirToString(DataSet));
}

QString TdmRoute::getAirToString(TDataSet* DataSet) const {
    const TDbCalcField record(DataSet);
    const TCurrency fare = TCurrency::FromField(DataSet->FieldByName(QStringLiteral("price")));
    return QStringLiteral("Маршрут №") + record.getStringValue(QStringLiteral("id")) + QStringLiteral(" | ") +
           record.getStringValue(QStringLiteral("airStart")) + QStringLiteral(" -> ") +
           record.getStringValue(QStringLiteral("airTarget")) + QStringLiteral(" | ") + FareText(fare) +
           QStringLiteral("RUR | ") + record.getStringValue(QStringLiteral("times")) +
           QStringLiteral(" мин.");
}
