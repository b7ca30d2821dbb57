#include "reports/UnreadableData.h"

#include "data/Connection.h"
#include "data/DataSet.h"
#include "data/DatabaseEngine.h"
#include "data/Exception.h"
#include "data/Field.h"
#include "data/Table.h"

#include <deque>
#include <set>

namespace {

// The columns the database has for a table or view; empty when it has none of
// that name. Names are compared as the engines compare them, without regard to
// case. Throws EDatabaseError when the database cannot say.
QStringList columnsOf(const TConnection& connection, const QString& table) {
    QStringList columns;
    for (const TObjectShape& object : connection.Engine().describe())
        if (object.Name.compare(table, Qt::CaseInsensitive) == 0)
            for (const TColumnShape& column : object.Columns)
                columns << column.Name;
    return columns;
}

// A table the program knows by name is described by what it lacks; anything
// else, or a table whose shape is right but whose values cannot be read, by the
// error of opening it.
QStringList whyClosed(const TDataSet& dataSet, const QString& openError) {
    const auto* table = qobject_cast<const TTable*>(&dataSet);
    if (!table || !table->Connection || !table->Connection->Connected())
        return {openError};
    QStringList columns;
    try {
        columns = columnsOf(*table->Connection, table->TableName);
    } catch (const EDatabaseError&) {
        return {openError}; // the database cannot describe itself either
    }
    if (columns.isEmpty())
        return {QStringLiteral("table %1 is missing").arg(table->TableName)};
    QStringList missing;
    for (const auto& field : table->Fields())
        if (field->FieldKind() == TFieldKind::Data &&
            !columns.contains(field->FieldName(), Qt::CaseInsensitive))
            missing << QStringLiteral("column %1.%2 is missing").arg(table->TableName, field->FieldName());
    if (!missing.isEmpty())
        return missing;
    return {QStringLiteral("table %1 cannot be read: %2").arg(table->TableName, openError)};
}

} // namespace

QStringList unreadableData(TDataSet* dataSet) {
    QStringList problems;
    std::set<TDataSet*> seen{dataSet};
    std::deque<TDataSet*> waiting{dataSet};
    while (!waiting.empty()) {
        TDataSet* current = waiting.front();
        waiting.pop_front();
        if (!current->Active()) {
            try {
                current->Open();
            } catch (const EDatabaseError& error) {
                problems << whyClosed(*current, error.Message());
            }
        }
        for (const auto& field : current->Fields())
            if (field->FieldKind() == TFieldKind::Lookup && field->LookupDataSet &&
                seen.insert(field->LookupDataSet).second)
                waiting.push_back(field->LookupDataSet);
    }
    return problems;
}
