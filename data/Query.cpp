#include "data/Query.h"

QVariant& TQuery::ParamByName(const QString& name) {
    for (auto& param : FParams) {
        if (param.first == name) {
            return param.second;
        }
    }
    FParams.emplace_back(name, QVariant());
    return FParams.back().second;
}
