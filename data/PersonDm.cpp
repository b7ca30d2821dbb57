#include "data/PersonDm.h"

#include "data/DataSet.h"
#include "data/DbCalcField.h"

TPersonDm::TPersonDm(const QString& name, const QString& tableName, TConnection* connection, QObject* parent)
    : TTableDm(name, tableName, QStringLiteral("[fam]"), connection, parent) {
    tbl->AddDataField(QStringLiteral("id"), TFieldType::AutoInc);
    tbl->AddDataField(QStringLiteral("fam"), TFieldType::String, 30);
    tbl->AddDataField(QStringLiteral("names"), TFieldType::String, 30);
    tbl->AddDataField(QStringLiteral("subname"), TFieldType::String, 30);
    tbl->AddCalcField(QStringLiteral("c_fio"), TFieldType::String, 90);
    tbl->AddDataField(QStringLiteral("phones"), TFieldType::String, 16);
    tbl->AddDataField(QStringLiteral("addr"), TFieldType::String, 255);
    tbl->OnCalcFields = [this](TDataSet* dataSet) { tblCalcFields(dataSet); };
}

void TPersonDm::tblCalcFields(TDataSet* DataSet) {
    const TDbCalcField calc(DataSet);
    DataSet->FieldByName(QStringLiteral("c_fio"))->SetAsString(calc.GetFio());
}
