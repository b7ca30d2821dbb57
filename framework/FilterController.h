#pragma once

#include <QString>
#include <QStringList>

class TDataSet;

// Builds a list window's search as one filter expression over its dataset:
// Stop, one add per search box (empty boxes add nothing), then Exec. Searches
// never query the database again; they only restrict the rows already read.
class TFilterController {
public:
    explicit TFilterController(TDataSet* table);

    // "field operator 'value'"; an empty value adds nothing, a blank one does.
    void AddParamsQuery(const QString& value, const QString& field, const QString& op);
    // The field contains the value anywhere, taken literally ("%" and "_" too).
    void AddParamLike(const QString& value, const QString& field);
    // "(field>='value1' AND field<='value2')", only when both values are complete
    // ten-character dates once trimmed.
    void AddBetween(const QString& field, const QString& value1, const QString& value2);

    int getIndex() const;
    QString getFilter() const;
    void Exec();
    void Stop();

private:
    TDataSet* tbl;
    QStringList filter;
};
