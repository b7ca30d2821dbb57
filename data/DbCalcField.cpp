#include "data/DbCalcField.h"

#include "data/DataSet.h"

QString TDbCalcField::getStringValue(const QString& fieldnane) const {
    return FDataSet->FieldByName(fieldnane)->AsString();
}

QString TDbCalcField::GetFio() const {
    return getStringValue(QStringLiteral("fam")) + QLatin1Char(' ') +
           getStringValue(QStringLiteral("names")) + QLatin1Char(' ') +
           getStringValue(QStringLiteral("subname"));
}
