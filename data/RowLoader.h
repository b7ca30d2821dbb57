#pragma once

#include <QByteArrayView>
#include <QString>
#include <memory>
#include <vector>

class TDataSet;
class TField;
class TRowReader;
class TRowStore;

// Reads the rows of a query, as the engine's row reader gives them, into the
// store of a dataset: each cell converted to the data field of the same name.
// Names are matched without regard to case, as the engines do: a server folds
// the names it was not given in quotes. A declared field the query lacks, or a
// value its field cannot hold, means the table is not the one the program
// knows, and nothing is kept.
class TRowLoader {
public:
    explicit TRowLoader(const TDataSet& dataSet);

    // The store's column of each field of the dataset; -1 for fields the
    // database does not hold.
    const std::vector<int>& columnOf() const { return FColumnOf; }
    // Every row of `reader`. Throws EDatabaseError.
    std::unique_ptr<TRowStore> load(TRowReader& reader) const;

private:
    void readCell(TRowReader& reader, int readerColumn, TRowStore& store, int row, const TField* field) const;
    [[noreturn]] void incompatible(const TField* field, const QString& value) const;

    const TDataSet& FDataSet;
    std::vector<const TField*> FDataFields;
    std::vector<int> FColumnOf;
};
