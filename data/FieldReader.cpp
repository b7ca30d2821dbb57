#include "data/FieldReader.h"

#include "data/DataSet.h"

TFieldReader::TFieldReader(const TDataSet& dataSet, const TField* field) : FDataSet(dataSet), FField(field) {
    if (field->FieldKind() == TFieldKind::Lookup) {
        const TField* key = dataSet.FindField(field->KeyFields);
        if (key && key->FieldKind() == TFieldKind::Data &&
            (key->DataType() == TFieldType::Integer || key->DataType() == TFieldType::AutoInc)) {
            FKeyField = key;
        }
    }
}

bool TFieldReader::keyOf(int storedRow, qint64* key) const {
    return FDataSet.storedInteger(storedRow, FKeyField, key);
}

QVariant TFieldReader::value(int storedRow) {
    if (!FKeyField) {
        return FDataSet.storedValue(storedRow, FField);
    }
    qint64 key = 0;
    if (!keyOf(storedRow, &key)) {
        return {};
    }
    auto it = FByKey.find(key);
    if (it == FByKey.end()) {
        it = FByKey.insert(key, FDataSet.storedValue(storedRow, FField));
    }
    return it.value();
}
