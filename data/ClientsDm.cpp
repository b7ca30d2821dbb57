#include "data/ClientsDm.h"

#include "data/DataSet.h"

TdmClients::TdmClients(TConnection* connection, QObject* parent)
    : TPersonDm(QStringLiteral("dmClients"), QStringLiteral("tblClients"), connection, parent) {
    tbl->AddDataField(QStringLiteral("passport_seria"), TFieldType::String, 4);
    tbl->AddDataField(QStringLiteral("passport_num"), TFieldType::String, 6);
}
