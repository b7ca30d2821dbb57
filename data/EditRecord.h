#pragma once

#include <QVariant>
#include <memory>
#include <vector>

class TField;
class TStoredRows;

// The record being edited or added: a value per field of the dataset (the
// data fields' values as those fields hold them), and whether the user set
// any since it was started.
class TEditRecord {
public:
    // An empty record, to be added.
    void start(size_t fieldCount);
    // The data fields of a stored row, to be changed.
    void start(const std::vector<std::unique_ptr<TField>>& fields, const TStoredRows& rows, int row);
    void clear();

    const std::vector<QVariant>& values() const { return FValues; }
    const QVariant& value(const TField* field) const;
    // A value given by a caller, as the field holds it: a text is read as the
    // field's type, anything else converted, and either cut to the field's
    // size. Throws EDatabaseError for a value the field cannot hold.
    void set(const TField* field, const QVariant& value);
    // The key the database gave the added row: no change of the user's.
    void setKey(const TField* idField, qint64 id);
    bool modified() const { return FModified; }

private:
    std::vector<QVariant> FValues;
    bool FModified = false;
};
