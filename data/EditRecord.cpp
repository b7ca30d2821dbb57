#include "data/EditRecord.h"

#include "data/Exception.h"
#include "data/Field.h"
#include "data/StoredRows.h"

void TEditRecord::start(size_t fieldCount) {
    FValues.assign(fieldCount, QVariant());
    FModified = false;
}

void TEditRecord::start(const std::vector<std::unique_ptr<TField>>& fields, const TStoredRows& rows,
                        int row) {
    start(fields.size());
    for (const auto& field : fields) {
        if (field->FieldKind() == TFieldKind::Data) {
            FValues[size_t(field->Index())] = rows.value(row, field.get());
        }
    }
}

void TEditRecord::clear() {
    FValues.clear();
    FModified = false;
}

const QVariant& TEditRecord::value(const TField* field) const {
    return FValues[size_t(field->Index())];
}

void TEditRecord::set(const TField* field, const QVariant& value) {
    QVariant v = value;
    if (v.isValid() && !v.isNull() && v.userType() == QMetaType::QString &&
        field->DataType() != TFieldType::String) {
        v = field->valueFromText(v.toString());
    } else if (v.isValid() && !v.isNull()) {
        v = field->converted(v);
        if (v.isNull()) {
            throw EDatabaseError(QStringLiteral("'%1' is not a valid value for field '%2'")
                                     .arg(value.toString(), field->FieldName()));
        }
    }
    FValues[size_t(field->Index())] = field->cutToSize(v);
    FModified = true;
}

void TEditRecord::setKey(const TField* idField, qint64 id) {
    FValues[size_t(idField->Index())] = int(id);
}
