#include "data/DataSet.h"

#include <QSqlQuery>

QString TTable::selectText() const { return QStringLiteral("SELECT * FROM \"%1\"").arg(TableName); }

QVariant& TQuery::ParamByName(const QString& name) {
    for (auto& param : FParams) {
        if (param.first == name) {
            return param.second;
        }
    }
    FParams.emplace_back(name, QVariant());
    return FParams.back().second;
}

void TQuery::bindParameters(QSqlQuery& query) const {
    for (const auto& param : FParams) {
        query.bindValue(QLatin1Char(':') + param.first, param.second);
    }
}
