#pragma once

#include <QString>
#include <vector>

class TDataSet;
class TField;

// A parsed sort text: "[field] DESC, other ASC". Unknown fields are refused when
// the text is parsed, before the rows are touched.
class TRowSort {
public:
    TRowSort(const TDataSet& dataSet, const QString& sortText); // throws EDatabaseError

    bool isEmpty() const { return FKeys.empty(); }
    // Orders `rows` (stored row numbers) in place; equal rows keep their order.
    void apply(const TDataSet& dataSet, std::vector<int>& rows) const;
    // Puts one new row into rows already in this order, after its equals.
    void insert(const TDataSet& dataSet, std::vector<int>& rows, int row) const;

private:
    struct Key {
        const TField* field;
        bool descending;
    };
    bool less(const TDataSet& dataSet, int a, int b) const;
    std::vector<double> keyValues(const TDataSet& dataSet, const std::vector<int>& rows,
                                  const TField* field) const;

    std::vector<Key> FKeys;
};
