#include "data/FieldList.h"

TField* TFieldList::add(std::unique_ptr<TField> field) {
    FByName.insert(field->FieldName(), field.get());
    FFields.push_back(std::move(field));
    return FFields.back().get();
}

TField* TFieldList::find(const QString& name) const {
    if (TField* known = FByAddress.value(name.constData()); known && known->FieldName() == name) {
        return known;
    }
    if (TField* field = FByName.value(name)) {
        if (FByAddress.size() > 1024) {
            FByAddress.clear(); // names built at run time come and go
        }
        FByAddress.insert(name.constData(), field);
        return field;
    }
    for (const auto& field : FFields) {
        if (field->FieldName().compare(name, Qt::CaseInsensitive) == 0) {
            return field.get();
        }
    }
    return nullptr;
}
