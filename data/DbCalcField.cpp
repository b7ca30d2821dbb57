#include "data/DbCalcField.h"

#include "data/DataSet.h"

QString TDbCalcField::getStringValue(const QString& fieldnane) const {
    return FDataSet->FieldByName(fieldnane)->AsString();
}

QString TDbCalcField::GetFio() const {
    const QString parts[] = {getStringValue(QStringLiteral("fam")), getStringValue(QStringLiteral("names")),
                             getStringValue(QStringLiteral("subname"))};
    // Built in one piece: a list of clients names thousands of people.
    QString fio;
    fio.reserve(parts[0].size() + parts[1].size() + parts[2].size() + 2);
    fio.append(parts[0]).append(QLatin1Char(' ')).append(parts[1]).append(QLatin1Char(' ')).append(parts[2]);
    return fio;
}
