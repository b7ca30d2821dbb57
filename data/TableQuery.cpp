#include "data/DataSet.h"

// The name goes unquoted, so a server that folds names finds the table it made.
QString TTable::selectText() const {
    return QStringLiteral("SELECT * FROM %1").arg(TableName);
}

QVariant& TQuery::ParamByName(const QString& name) {
    for (auto& param : FParams) {
        if (param.first == name) {
            return param.second;
        }
    }
    FParams.emplace_back(name, QVariant());
    return FParams.back().second;
}
