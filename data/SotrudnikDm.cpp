#include "data/SotrudnikDm.h"

#include "data/DataSet.h"

TdmSotrudnik::TdmSotrudnik(TConnection* connection, QObject* parent)
    : TPersonDm(QStringLiteral("dmSotrudnik"), QStringLiteral("tblSotrudnik"), connection, parent) {
    tbl->AddDataField(QStringLiteral("stage"), TFieldType::Integer);
}
