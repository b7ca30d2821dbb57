#pragma once

#include <QHash>
#include <QVariant>

class TDataSet;
class TField;

// Reads one field over many stored rows, as sorting and filtering do. A lookup
// field over an integer key is read once per distinct key: a million sales name
// a few thousand flights, and each flight's description is built only once.
class TFieldReader {
public:
    TFieldReader(const TDataSet& dataSet, const TField* field);

    QVariant value(int storedRow);
    // Whether rows with the same key share their value, as lookups do.
    bool grouped() const { return FKeyField != nullptr; }
    // The row's key; false when it has none.
    bool keyOf(int storedRow, qint64* key) const;

private:
    const TDataSet& FDataSet;
    const TField* FField;
    const TField* FKeyField = nullptr;
    QHash<qint64, QVariant> FByKey;
};
