// The record side of TDataSet: reading and writing fields, lookups, calculated
// fields, the edit states and writing rows to the database.
#include "data/Connection.h"
#include "data/DataSet.h"
#include "data/Exception.h"
#include "data/RowSort.h"
#include "data/RowStore.h"
#include "data/ScopedValue.h"
#include "data/Transaction.h"

namespace {

QVariant sqlValue(const TField* field, const QVariant& value) {
    if (!value.isValid() || value.isNull()) {
        return QVariant(QMetaType::fromType<QString>());
    }
    switch (field->DataType()) {
    case TFieldType::DateTime:
        return value.toDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    case TFieldType::Boolean:
        return value.toBool() ? 1 : 0;
    default:
        return value;
    }
}

QVariant cutToSize(const TField* field, const QVariant& value) {
    if (field->DataType() != TFieldType::String || field->Size() <= 0 || value.isNull()) {
        return value;
    }
    // Most values are texts already; their length is read without a copy.
    const qsizetype length = value.userType() == QMetaType::QString
                                 ? static_cast<const QString*>(value.constData())->size()
                                 : value.toString().size();
    return length > field->Size() ? QVariant(value.toString().left(field->Size())) : value;
}

} // namespace

// ---- field values ----

int TDataSet::activeRecord() const {
    if (FActiveOverride != NoOverride) {
        return FActiveOverride;
    }
    if (FState == TDataSetState::Edit || FState == TDataSetState::Insert) {
        return EditRecord;
    }
    return currentStored();
}

QVariant TDataSet::dataValue(int record, const TField* field) const {
    if (record == EditRecord) {
        return FEditBuffer[field->Index()];
    }
    if (record < 0 || !FStore) {
        return {};
    }
    return FStore->value(record, FColumnOf[field->Index()]);
}

QVariant TDataSet::fieldValue(const TField* field) const {
    const int record = activeRecord();
    switch (field->FieldKind()) {
    case TFieldKind::Data:
        return Active() ? dataValue(record, field) : QVariant();
    case TFieldKind::Lookup:
        return record == NoRecord ? QVariant() : lookupValue(field);
    default:
        return record == NoRecord ? QVariant() : calcValue(record, field);
    }
}

QVariant TDataSet::lookupValue(const TField* field) const {
    TDataSet* target = field->LookupDataSet;
    if (!target || !target->Active()) {
        return {};
    }
    TField::TLookupLink& link = field->FLink;
    if (!link.result) {
        link.key = FieldByName(field->KeyFields);
        link.targetKey = target->FieldByName(field->LookupKeyFields);
        link.result = target->FieldByName(field->LookupResultField);
    }
    const auto integral = [](TFieldType type) {
        return type == TFieldType::Integer || type == TFieldType::AutoInc;
    };
    const int record = activeRecord();
    // A stored row's integer key is read straight from the store; anything else
    // (the record being edited, a key of another type) goes the general way.
    if (record < 0 || link.key->FieldKind() != TFieldKind::Data || !integral(link.key->DataType()) ||
        !integral(link.targetKey->DataType())) {
        const QVariant key = link.key->Value();
        return key.isNull() || !key.isValid() ? QVariant() : findLookup(field, key);
    }
    qint64 number = 0;
    if (!storedInteger(record, link.key, &number)) {
        return {};
    }
    if (link.found.empty()) {
        size_t slotCount = 16;
        while (slotCount < size_t(target->FStore ? target->FStore->rowCount() : 0) && slotCount < 65536) {
            slotCount *= 2;
        }
        link.found.resize(slotCount);
    }
    // Keys are mostly consecutive ids, which the low bits spread evenly.
    TField::TLookupLink::TFound& found = link.found[size_t(number) & (link.found.size() - 1)];
    if (found.stamp != FChangeStamp || found.key != number) {
        found.value = findLookup(field, number);
        found.key = number;
        found.stamp = FChangeStamp;
    }
    return found.value;
}

QVariant TDataSet::findLookup(const TField* field, const QVariant& key) const {
    const TField::TLookupLink& link = field->FLink;
    TDataSet* target = field->LookupDataSet;
    const int row = target->locateStored(link.targetKey, key);
    if (row < 0) {
        return {};
    }
    const TField* result = link.result;
    const QVariant value = target->storedValue(row, result);
    if (result->DataType() == field->DataType() || value.isNull()) {
        return cutToSize(field, value);
    }
    // A text read as a number (the markup of a ticket type is kept as text):
    // text that is no number reads as empty.
    try {
        return cutToSize(field, field->valueFromText(result->textOf(value, false)));
    } catch (const EDatabaseError&) {
        return {};
    }
}

QVariant TDataSet::calcValue(int record, const TField* field) const {
    if (FCalculating && FCalcRecord == record) {
        return FCalcBuffer[field->Index()];
    }
    if (FCalcCache.empty()) {
        createCalcCache();
    }
    // The edit buffer shares the slot of no stored row.
    const size_t slot = size_t(record + 2) % FCalcCache.size();
    TCalcEntry& entry = FCalcCache[slot];
    QVariant* values = FCalcValues.data() + slot * FCalcFields.size();
    if (entry.record != record || entry.stamp != FChangeStamp) {
        recalculate(record);
        entry.record = record;
        entry.stamp = FChangeStamp;
        for (size_t i = 0; i < FCalcFields.size(); ++i) {
            values[i] = std::move(FCalcBuffer[size_t(FCalcFields[i])]);
        }
    }
    return values[FCalcOrdinal[size_t(field->Index())]];
}

void TDataSet::createCalcCache() const {
    FCalcFields.clear();
    FCalcOrdinal.assign(FFields.size(), -1);
    for (const auto& field : FFields) {
        if (field->FieldKind() == TFieldKind::Calculated) {
            FCalcOrdinal[size_t(field->Index())] = int(FCalcFields.size());
            FCalcFields.push_back(field->Index());
        }
    }
    size_t slotCount = 64;
    while (slotCount < size_t(FStore ? FStore->rowCount() : 0) && slotCount < 65536) {
        slotCount *= 2;
    }
    FCalcCache.assign(slotCount, TCalcEntry());
    FCalcValues.assign(slotCount * FCalcFields.size(), QVariant());
}

// Runs the calculation handler for one record; reads inside it address that
// record and writes to calculated fields land in the buffer.
void TDataSet::recalculate(int record) const {
    // Only calculated fields are read from the buffer; their values were moved
    // into the cache, so only they need clearing.
    if (FCalcBuffer.size() != FFields.size()) {
        FCalcBuffer.assign(FFields.size(), QVariant());
    }
    for (const int index : FCalcFields) {
        FCalcBuffer[size_t(index)] = QVariant();
    }
    if (!OnCalcFields) {
        return;
    }
    TScopedValue<int> active(FActiveOverride, record);
    TScopedValue<int> calcRecord(FCalcRecord, record);
    TScopedValue<bool> calculating(FCalculating, true);
    OnCalcFields(const_cast<TDataSet*>(this));
}

void TDataSet::setFieldValue(const TField* field, const QVariant& value) {
    if (FCalculating && field->FieldKind() == TFieldKind::Calculated) {
        FCalcBuffer[field->Index()] = cutToSize(field, value);
        return;
    }
    checkEditing(field);
    QVariant v = value;
    if (v.isValid() && !v.isNull() && v.userType() == QMetaType::QString &&
        field->DataType() != TFieldType::String) {
        v = field->valueFromText(v.toString());
    } else if (v.isValid() && !v.isNull()) {
        v = converted(field, v);
        if (v.isNull()) {
            throw EDatabaseError(QStringLiteral("'%1' is not a valid value for field '%2'")
                                     .arg(value.toString(), field->FieldName()));
        }
    }
    FEditBuffer[field->Index()] = cutToSize(field, v);
    FModified = true;
    touch();
    emit recordChanged();
}

void TDataSet::checkEditing(const TField* field) const {
    checkActive();
    if (field->FieldKind() != TFieldKind::Data) {
        throw EDatabaseError(QStringLiteral("Field '%1' cannot be modified").arg(field->FieldName()));
    }
    if (FState != TDataSetState::Edit && FState != TDataSetState::Insert) {
        throw EDatabaseError(QStringLiteral("%1: Dataset not in edit or insert mode").arg(objectName()));
    }
}

// ---- edit states ----

// A record being edited or added is left only by Post or Cancel, which the
// window that owns it calls after its own checks. Moving, sorting or
// filtering meanwhile is refused, so nothing behind that window's back can
// write the record unchecked, drop it, or put another record in its place.
void TDataSet::requireBrowsing() const {
    if (FState == TDataSetState::Edit || FState == TDataSetState::Insert) {
        throw EDatabaseError(
            QStringLiteral("%1: the record being edited must be saved or cancelled first").arg(objectName()));
    }
}

void TDataSet::Append() {
    checkActive();
    requireBrowsing();
    if (!CanModify()) {
        throw EDatabaseError(QStringLiteral("%1: Cannot modify a read-only dataset").arg(objectName()));
    }
    FEditBuffer.assign(FFields.size(), QVariant());
    FModified = false;
    touch();
    setState(TDataSetState::Insert);
    emit currentChanged();
    if (AfterInsert) {
        AfterInsert(this);
    }
}

void TDataSet::Edit() {
    checkActive();
    if (FState == TDataSetState::Edit || FState == TDataSetState::Insert) {
        return;
    }
    if (FView.empty()) {
        Append();
        return;
    }
    if (!CanModify()) {
        throw EDatabaseError(QStringLiteral("%1: Cannot modify a read-only dataset").arg(objectName()));
    }
    FEditBuffer.assign(FFields.size(), QVariant());
    for (const auto& field : FFields) {
        if (field->FieldKind() == TFieldKind::Data) {
            FEditBuffer[field->Index()] = dataValue(currentStored(), field.get());
        }
    }
    FModified = false;
    touch();
    setState(TDataSetState::Edit);
}

void TDataSet::Cancel() {
    if (FState != TDataSetState::Edit && FState != TDataSetState::Insert) {
        return;
    }
    const bool inserting = FState == TDataSetState::Insert;
    FEditBuffer.clear();
    FModified = false;
    touch();
    setState(TDataSetState::Browse);
    emit recordChanged();
    if (inserting) {
        emit currentChanged();
    }
}

void TDataSet::Post() {
    checkActive();
    if (FState != TDataSetState::Edit && FState != TDataSetState::Insert) {
        return;
    }
    const bool inserting = FState == TDataSetState::Insert;
    writeRow(inserting);
    FModified = false;
    FEditBuffer.clear();
    touch();
    // Controls hear of the new row only once the dataset browses again, so
    // what they read of the current record is the stored row.
    setState(TDataSetState::Browse);
    if (inserting) {
        emit rowsChanged();
        emit currentChanged();
    } else {
        emit recordChanged();
    }
    if (AfterPost) {
        AfterPost(this);
    }
}

void TDataSet::Delete() {
    checkActive();
    requireBrowsing();
    if (FView.empty()) {
        throw EDatabaseError(
            QStringLiteral("%1: Cannot perform this operation on an empty dataset").arg(objectName()));
    }
    if (!CanModify()) {
        throw EDatabaseError(QStringLiteral("%1: Cannot modify a read-only dataset").arg(objectName()));
    }
    const int row = currentStored();
    Connection->Engine().remove(
        writeTable(), FStore->value(row, FColumnOf[FieldByName(QStringLiteral("id"))->Index()]).toLongLong());
    FEditBuffer.clear();
    FModified = false;
    setState(TDataSetState::Browse);
    unindexRow(row);
    FStore->markDeleted(row);
    FOrder.erase(std::find(FOrder.begin(), FOrder.end(), row));
    FView.erase(FView.begin() + FCurrent);
    if (FCurrent >= int(FView.size())) {
        FCurrent = int(FView.size()) - 1;
    }
    FEof = FBof = FView.empty();
    touch();
    emit rowsChanged();
    emit currentChanged();
    if (AfterDelete) {
        AfterDelete(this);
    }
}

// ---- writing ----

// One statement per post, so the row is written whole or not at all; a refused
// write leaves the dataset in its edit state with what was typed. The rows read
// at opening take the new row only once it is committed.
void TDataSet::writeRow(bool inserting) {
    if (!CanModify()) {
        throw EDatabaseError(QStringLiteral("%1: Cannot modify a read-only dataset").arg(objectName()));
    }
    QStringList columns;
    QVariantList values;
    const TField* idField = FindField(QStringLiteral("id"));
    for (const auto& field : FFields) {
        if (field->FieldKind() == TFieldKind::Data && field->DataType() != TFieldType::AutoInc) {
            columns << field->FieldName();
            values << sqlValue(field.get(), FEditBuffer[field->Index()]);
        }
    }
    if (!inserting && !idField) {
        throw EDatabaseError(QStringLiteral("%1: rows cannot be told apart without an id").arg(objectName()));
    }
    TDatabaseEngine& engine = Connection->Engine();
    TTransaction transaction(engine);
    if (BeforeWrite) {
        BeforeWrite(this);
    }
    QVariant newId;
    if (inserting) {
        newId = engine.insert(writeTable(), columns, values);
    } else if (engine.update(writeTable(), columns, values,
                             FStore->value(currentStored(), FColumnOf[idField->Index()]).toLongLong()) != 1) {
        throw EDatabaseError(QStringLiteral("%1: the record was deleted by another user").arg(objectName()));
    }
    transaction.Commit();
    storePosted(inserting, newId);
}

// Puts the posted values into the rows read at opening. A new row takes its
// place in the current order; it stays visible until the filter is applied
// again, so the user sees what was just saved.
void TDataSet::storePosted(bool inserting, const QVariant& newId) {
    int row = currentStored();
    if (inserting) {
        row = FStore->appendRow();
        if (const TField* idField = FindField(QStringLiteral("id"))) {
            FEditBuffer[idField->Index()] = newId.toInt();
        }
    } else {
        unindexRow(row);
    }
    for (const auto& field : FFields) {
        if (field->FieldKind() == TFieldKind::Data) {
            FStore->setValue(row, FColumnOf[field->Index()], FEditBuffer[field->Index()]);
        }
    }
    indexRow(row);
    if (!inserting) {
        return;
    }
    const TRowSort sort(*this, FSort);
    sort.insert(*this, FOrder, row);
    sort.insert(*this, FView, row);
    FCurrent = int(std::find(FView.begin(), FView.end(), row) - FView.begin());
    FEof = FBof = false;
}

// ---- the lookup index ----

int TDataSet::locateStored(const TField* keyField, const QVariant& key) const {
    if (!FStore || keyField->FieldKind() != TFieldKind::Data) {
        return NoRecord;
    }
    const int column = FColumnOf[keyField->Index()];
    const TFieldType type = keyField->DataType();
    if (type != TFieldType::AutoInc && type != TFieldType::Integer) {
        for (int row = 0; row < FStore->rowCount(); ++row) {
            if (!FStore->isDeleted(row) && FStore->value(row, column) == key) {
                return row;
            }
        }
        return NoRecord;
    }
    auto index = FIndexes.find(keyField->Index());
    if (index == FIndexes.end()) {
        QHash<qint64, int> built;
        built.reserve(FStore->rowCount());
        for (int row = FStore->rowCount() - 1; row >= 0; --row) {
            if (!FStore->isDeleted(row) && !FStore->isNull(row, column)) {
                built.insert(qint64(FStore->number(row, column)), row); // the first row wins
            }
        }
        index = FIndexes.insert(keyField->Index(), built);
    }
    bool ok = false;
    const qint64 k = key.toLongLong(&ok);
    return ok ? index->value(k, NoRecord) : NoRecord;
}

// The index follows each row written or deleted, so a lookup never rescans
// the table after a sale. Lookup keys are row ids, unique in their table.
void TDataSet::indexRow(int storedRow) {
    for (auto it = FIndexes.begin(); it != FIndexes.end(); ++it) {
        const int column = FColumnOf[it.key()];
        if (!FStore->isNull(storedRow, column)) {
            const qint64 key = qint64(FStore->number(storedRow, column));
            if (!it->contains(key)) {
                it->insert(key, storedRow);
            }
        }
    }
}

void TDataSet::unindexRow(int storedRow) {
    for (auto it = FIndexes.begin(); it != FIndexes.end(); ++it) {
        const int column = FColumnOf[it.key()];
        if (!FStore->isNull(storedRow, column)) {
            const qint64 key = qint64(FStore->number(storedRow, column));
            if (it->value(key, NoRecord) == storedRow) {
                it->remove(key);
            }
        }
    }
}
