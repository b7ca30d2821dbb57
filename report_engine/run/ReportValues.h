#pragma once

#include <QString>
#include <QVariant>
#include <optional>
#include <utility>
#include <vector>

class TfrxRunContext;
class TfrxEngine;

// How a run finds the value of a name or an expression inside [...]: a dataset
// field, one of the run's own names (DATE, PAGE#, LINE and the like), a report
// variable, or a quoted string or number.
class TfrxReportValues {
public:
    TfrxReportValues(TfrxRunContext& context, const TfrxEngine& engine)
        : FContext(context), FEngine(engine) {}

    // Throws EfrxError, with the error also in the report's list, when the
    // expression names nothing the run knows.
    QVariant Calc(const QString& expression);
    bool DoGetValue(const QString& name, QVariant& value);

private:
    bool variableValue(const QString& name, QVariant& value);
    // `Dataset."field"` split into its two names. Every record asks again for the
    // same few expressions, and splitting them each time is much of the cost.
    struct TFieldName {
        QString DataSet;
        QString Field;
    };
    std::optional<TFieldName> fieldName(const QString& expression);

    TfrxRunContext& FContext;
    const TfrxEngine& FEngine;
    // Variables may refer to each other; a cycle must end instead of recursing forever.
    static constexpr int MaxVariableDepth = 32;
    int FVariableDepth = 0;
    std::vector<std::pair<QString, TFieldName>> FFieldNames;
};
