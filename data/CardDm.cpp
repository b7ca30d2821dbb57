#include "data/CardDm.h"

#include "data/DataSet.h"

TdmCard::TdmCard(TConnection* connection, QObject* parent)
    : TTableDm(QStringLiteral("dmCard"), QStringLiteral("tblCard"), QStringLiteral("names"), connection,
               parent) {
    tbl->AddDataField(QStringLiteral("id"), TFieldType::AutoInc);
    tbl->AddDataField(QStringLiteral("names"), TFieldType::String, 25);
    tbl->AddCalcField(QStringLiteral("fullname"), TFieldType::String, 200);
    tbl->AddDataField(QStringLiteral("percent"), TFieldType::String, 255);
    tbl->OnCalcFields = [this](TDataSet* dataSet) { tblCalcFields(dataSet); };
}

void TdmCard::tblCalcFields(TDataSet* DataSet) {
    DataSet->FieldByName(QStringLiteral("fullname"))->SetAsString(getFullName(DataSet));
}

QString TdmCard::getFullName(TDataSet* DataSet) const {
    return DataSet->FieldByName(QStringLiteral("names"))->AsString() + QStringLiteral(" (") +
           DataSet->FieldByName(QStringLiteral("percent"))->AsString() + QStringLiteral("%)");
}
