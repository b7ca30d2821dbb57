#include "report_engine/run/ReportValues.h"

#include "report_engine/base/ReportError.h"
#include "report_engine/prepared/PreviewPages.h"
#include "report_engine/run/DataSet.h"
#include "report_engine/run/Engine.h"
#include "report_engine/run/RunContext.h"

namespace {
QVariant convertNull(TfrxFieldType type) {
    switch (type) {
    case TfrxFieldType::fftString:
        return QString();
    case TfrxFieldType::fftBoolean:
        return false;
    default:
        return 0;
    }
}

// Quoted strings and numbers are the only expressions the report evaluates itself;
// the templates need nothing more.
bool literalValue(const QString& expression, QVariant& value) {
    if (expression.size() >= 2 && expression.startsWith(QLatin1Char('\'')) &&
        expression.endsWith(QLatin1Char('\''))) {
        QString body = expression.mid(1, expression.size() - 2);
        if (body.count(QLatin1Char('\'')) != 2 * body.count(QLatin1String("''")))
            return false;
        value = body.replace(QLatin1String("''"), QLatin1String("'"));
        return true;
    }
    bool ok = false;
    const qlonglong integer = expression.toLongLong(&ok);
    if (ok) {
        value = integer;
        return true;
    }
    const double number = expression.toDouble(&ok);
    if (ok)
        value = number;
    return ok;
}
} // namespace

std::optional<TfrxReportValues::TFieldName> TfrxReportValues::fieldName(const QString& expression) {
    // A template names only a few fields, so a short list beats hashing the text.
    for (const auto& [known, name] : FFieldNames)
        if (known == expression)
            return name;
    const qsizetype fieldStart = expression.indexOf(QLatin1String(".\""));
    if (fieldStart <= 0 || !expression.endsWith(QLatin1Char('"')))
        return std::nullopt;
    // The bound is for scripts gone wild, building a new name for every record.
    constexpr size_t MaxFieldNames = 64;
    if (FFieldNames.size() >= MaxFieldNames)
        FFieldNames.clear();
    FFieldNames.emplace_back(expression,
                             TFieldName{expression.left(fieldStart),
                                        expression.mid(fieldStart + 2, expression.size() - fieldStart - 3)});
    return FFieldNames.back().second;
}

bool TfrxReportValues::DoGetValue(const QString& name, QVariant& value) {
    if (const std::optional<TFieldName> reference = fieldName(name)) {
        if (TfrxDataSet* dataSet = FContext.GetDataset(reference->DataSet)) {
            const QString& field = reference->Field;
            value = dataSet->GetValue(field);
            // A field the dataset does not have stays Null (an empty text); only real
            // empty values take the empty value of their kind.
            if (value.isNull() && FContext.engineOptions().ConvertNulls && dataSet->HasField(field))
                value = convertNull(dataSet->GetFieldType(field));
            return true;
        }
    }
    const auto is = [&name](const char* variable) {
        return name.compare(QLatin1String(variable), Qt::CaseInsensitive) == 0;
    };
    if (is("DATE"))
        value = FEngine.StartDate;
    else if (is("TIME"))
        value = FEngine.StartTime;
    else if (is("PAGE"))
        value = FContext.PreviewPages().GetLogicalPageNo(FContext.PreviewPages().CurPage());
    else if (is("PAGE#"))
        value = FContext.PreviewPages().CurPage() + 1;
    else if (is("TOTALPAGES") || is("TOTALPAGES#"))
        value = FEngine.TotalPages;
    else if (is("LINE"))
        value = FEngine.CurLine;
    else if (is("LINE#"))
        value = FEngine.CurLineThrough;
    else if (is("COPYNAME#"))
        value = QVariant();
    else
        return variableValue(name, value);
    return true;
}

bool TfrxReportValues::variableValue(const QString& name, QVariant& value) {
    for (const TfrxVariable& variable : FContext.variables()) {
        if (variable.Name.startsWith(QLatin1Char(' ')) ||
            variable.Name.compare(name, Qt::CaseInsensitive) != 0)
            continue;
        // A text value is itself an expression, so a variable may hold a formula.
        const bool isFormula = variable.Value.typeId() == QMetaType::QString &&
                               !variable.Value.toString().contains(QLatin1String("\r\n"));
        if (!isFormula) {
            value = variable.Value;
            return true;
        }
        if (FVariableDepth >= MaxVariableDepth) {
            const QString message = QStringLiteral("The variable \"%1\" refers to itself").arg(variable.Name);
            FContext.addError(FContext.currentObject() + QStringLiteral(": ") + message);
            throw EfrxError(message);
        }
        ++FVariableDepth;
        struct TLeave {
            int& FDepth;
            ~TLeave() { --FDepth; }
        } leave{FVariableDepth};
        value = Calc(variable.Value.toString());
        return true;
    }
    return false;
}

QVariant TfrxReportValues::Calc(const QString& expression) {
    const QString trimmed = expression.trimmed();
    QVariant value;
    if (DoGetValue(trimmed, value) || literalValue(trimmed, value))
        return value;
    const QString message = QStringLiteral("Could not evaluate the expression \"%1\"").arg(trimmed);
    FContext.addError(FContext.currentObject() + QStringLiteral(": ") + message);
    throw EfrxError(message);
}
