#pragma once

#include "data/Field.h"

#include <QHash>
#include <memory>
#include <vector>

// The fields a dataset declares, in their order, found by name. Names are
// looked up on every read of a calculated field, so the exact name is found by
// hash, and a literal name asked for over and over by its text's address,
// without hashing the text; other spellings of a name fall back to a scan.
class TFieldList {
public:
    TField* add(std::unique_ptr<TField> field);
    const std::vector<std::unique_ptr<TField>>& all() const { return FFields; }
    size_t size() const { return FFields.size(); }
    // nullptr when there is no field of that name.
    TField* find(const QString& name) const;

private:
    std::vector<std::unique_ptr<TField>> FFields;
    QHash<QString, TField*> FByName;
    mutable QHash<const void*, TField*> FByAddress;
};
