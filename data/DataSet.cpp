#include "data/DataSet.h"

#include "data/ChangeStamp.h"
#include "data/Connection.h"
#include "data/DatabaseEngine.h"
#include "data/Exception.h"
#include "data/LookupResolver.h"
#include "data/RowFilter.h"
#include "data/RowReader.h"
#include "data/RowSort.h"
#include "data/RowWriter.h"
#include "data/ScopedValue.h"
#include "data/StoredRows.h"

#include <utility>

TDataSet::TDataSet(QObject* parent)
    : QObject(parent), FCalcFields(*this, [this](int record) { calculate(record); }) {}

TDataSet::~TDataSet() = default;

// ---- fields ----

TField* TDataSet::addField(std::unique_ptr<TField> field) {
    FLookups.emplace_back();
    FCalcFields.clear(); // its layout follows the fields
    return FFields.add(std::move(field));
}

TField* TDataSet::AddDataField(const QString& name, TFieldType type, int size) {
    return addField(std::make_unique<TField>(this, name, type, TFieldKind::Data, size, int(FFields.size())));
}

TField* TDataSet::AddLookupField(const QString& name, TFieldType type, int size, const QString& keyField,
                                 TDataSet* lookupDataSet, const QString& lookupKey,
                                 const QString& resultField) {
    TField* field =
        addField(std::make_unique<TField>(this, name, type, TFieldKind::Lookup, size, int(FFields.size())));
    field->KeyFields = keyField;
    field->LookupDataSet = lookupDataSet;
    field->LookupKeyFields = lookupKey;
    field->LookupResultField = resultField;
    FLookups.back() = std::make_unique<TLookupResolver>(*this, *field);
    return field;
}

TField* TDataSet::AddCalcField(const QString& name, TFieldType type, int size) {
    return addField(
        std::make_unique<TField>(this, name, type, TFieldKind::Calculated, size, int(FFields.size())));
}

TField* TDataSet::FieldByName(const QString& name) const {
    TField* field = FindField(name);
    if (!field) {
        throw EDatabaseError(QStringLiteral("%1: Field '%2' not found").arg(objectName(), name));
    }
    return field;
}

// ---- opening and closing ----

void TDataSet::SetActive(bool active) {
    if (active == Active()) {
        return;
    }
    if (active) {
        openRows();
        setState(TDataSetState::Browse);
        FRows.sort(*this, FStored->store(), FSort);
        rebuildView(NoRecord);
        if (AfterOpen) {
            AfterOpen(this);
        }
        return;
    }
    if (BeforeClose) {
        BeforeClose(this);
    }
    FStored.reset();
    FRows.clear();
    FCalcFields.clear();
    FEditing.clear();
    FSort.clear();
    FCurrent = -1;
    FEof = FBof = true;
    TChangeStamp::touch();
    setState(TDataSetState::Inactive);
    emit rowsChanged();
    emit currentChanged();
}

void TDataSet::openRows() {
    if (!Connection || !Connection->Connected()) {
        throw EDatabaseError(QStringLiteral("%1: the database is not open").arg(objectName()));
    }
    const std::unique_ptr<TRowReader> reader = Connection->Engine().select(selectText(), parameters());
    FStored = std::make_unique<TStoredRows>(*this, *reader);
}

// ---- sort, filter and the visible rows ----

void TDataSet::SetSort(const QString& sort) {
    checkActive();
    const TRowSort parsed(*this, sort); // refuses a bad text before anything changes
    requireBrowsing();
    FSort = sort;
    FRows.sort(*this, FStored->store(), FSort);
    // As after a search, the first row of the new order becomes current: the
    // user reads a freshly sorted list from its top.
    rebuildView(NoRecord);
}

void TDataSet::SetFilter(const QString& filter) {
    if (Active() && FFiltered) {
        const TRowFilter parsed(*this, filter);
        requireBrowsing();
        FFilter = filter;
        rebuildView(NoRecord);
        return;
    }
    FFilter = filter;
}

void TDataSet::SetFiltered(bool filtered) {
    if (Active() && filtered && !FFilter.isEmpty()) {
        const TRowFilter parsed(*this, FFilter);
    }
    if (filtered == FFiltered) {
        return;
    }
    requireBrowsing();
    FFiltered = filtered;
    if (Active()) {
        rebuildView(filtered ? NoRecord : currentStored());
    }
}

// Applies the filter to the ordered rows and makes `keepStoredRow` current
// when it is still visible, else the first row.
void TDataSet::rebuildView(int keepStoredRow) {
    FRows.filter(*this, FFiltered ? FFilter : QString());
    const int kept = keepStoredRow >= 0 ? FRows.indexOf(keepStoredRow) : -1;
    FCurrent = kept >= 0 ? kept : (FRows.empty() ? -1 : 0);
    FBof = true;
    FEof = FRows.empty();
    TChangeStamp::touch();
    emit rowsChanged();
    emit currentChanged();
}

// ---- navigation ----

int TDataSet::RecordCount() const {
    return Active() ? FRows.size() : 0;
}

int TDataSet::RecNo() const {
    if (!Active() || FState == TDataSetState::Insert || FCurrent < 0) {
        return -1;
    }
    return FCurrent + 1;
}

void TDataSet::SetRecNo(int recNo) {
    checkActive();
    if (recNo >= 1 && recNo <= FRows.size()) {
        moveTo(recNo - 1);
    }
}

void TDataSet::First() {
    checkActive();
    moveTo(FRows.empty() ? -1 : 0);
    FBof = true;
}

void TDataSet::Last() {
    checkActive();
    moveTo(FRows.size() - 1);
    FEof = true;
}

void TDataSet::Next() {
    checkActive();
    if (FCurrent + 1 < FRows.size()) {
        moveTo(FCurrent + 1);
        readAhead();
    } else {
        requireBrowsing();
        FEof = true;
    }
}

// A report walks the rows in order and looks up each row's flight and client,
// in no order, in tables that may be far bigger than the processor's caches:
// each lookup would wait on memory at every step, from the key index to the
// looked-up row to its text. The lookups of the rows a little ahead are asked
// of memory instead, a step at a time some rows apart, each step reading what
// the one before brought in, so that all has arrived when the row is reached.
void TDataSet::readAhead() const {
    static constexpr struct {
        int rowsAhead;
        TPrefetchStep step;
    } steps[] = {{12, TPrefetchStep::KeyRow}, {8, TPrefetchStep::Cell}, {4, TPrefetchStep::Text}};
    for (const auto& [rowsAhead, step] : steps) {
        if (FCurrent + rowsAhead >= FRows.size()) {
            continue;
        }
        const int record = FRows.at(FCurrent + rowsAhead);
        for (const auto& lookup : FLookups) {
            if (lookup) {
                lookup->prefetch(record, step);
            }
        }
    }
}

void TDataSet::EnableControls() {
    if (FControlsDisabled > 0 && --FControlsDisabled == 0 && std::exchange(FMovedWhileDisabled, false)) {
        emit currentChanged();
    }
}

void TDataSet::Prior() {
    checkActive();
    if (FCurrent > 0) {
        moveTo(FCurrent - 1);
    } else {
        requireBrowsing();
        FBof = true;
    }
}

void TDataSet::moveTo(int visibleRow) {
    requireBrowsing();
    FBof = FEof = FRows.empty();
    if (visibleRow == FCurrent) {
        return;
    }
    FCurrent = visibleRow;
    if (FControlsDisabled > 0) {
        FMovedWhileDisabled = true;
    } else {
        emit currentChanged();
    }
    if (AfterScroll) {
        AfterScroll(this);
    }
}

TBookmark TDataSet::GetBookmark() const {
    return Active() ? currentStored() : NoBookmark;
}

void TDataSet::GotoBookmark(TBookmark bookmark) {
    checkActive();
    const int row = FRows.indexOf(bookmark);
    if (row < 0) {
        throw EDatabaseError(QStringLiteral("%1: Record not found").arg(objectName()));
    }
    moveTo(row);
}

int TDataSet::currentStored() const {
    return (FCurrent >= 0 && FCurrent < FRows.size()) ? FRows.at(FCurrent) : NoRecord;
}

bool TDataSet::CanModify() const {
    return Active() && !writeTable().isEmpty() && Connection && !Connection->ReadOnly();
}

void TDataSet::checkActive() const {
    if (!Active()) {
        throw EDatabaseError(
            QStringLiteral("%1: Cannot perform this operation on a closed dataset").arg(objectName()));
    }
}

void TDataSet::checkModify() const {
    if (!CanModify()) {
        throw EDatabaseError(QStringLiteral("%1: Cannot modify a read-only dataset").arg(objectName()));
    }
}

void TDataSet::setState(TDataSetState state) {
    if (FState != state) {
        FState = state;
        emit stateChanged();
    }
}

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
        return FEditing.value(field);
    }
    if (record < 0 || !FStored) {
        return {};
    }
    return FStored->value(record, field);
}

QVariant TDataSet::fieldValue(const TField* field) const {
    const int record = activeRecord();
    switch (field->FieldKind()) {
    case TFieldKind::Data:
        return Active() ? dataValue(record, field) : QVariant();
    case TFieldKind::Lookup:
        return record == NoRecord ? QVariant() : FLookups[size_t(field->Index())]->value(record);
    default:
        return record == NoRecord ? QVariant() : FCalcFields.value(record, field);
    }
}

// Runs the calculation handler with the record's fields as the ones it reads.
void TDataSet::calculate(int record) const {
    if (!OnCalcFields) {
        return;
    }
    TScopedValue<int> active(FActiveOverride, record);
    OnCalcFields(const_cast<TDataSet*>(this));
}

void TDataSet::setFieldValue(const TField* field, const QVariant& value) {
    if (FCalcFields.calculating() && field->FieldKind() == TFieldKind::Calculated) {
        FCalcFields.store(field, value);
        return;
    }
    checkEditing(field);
    FEditing.set(field, value);
    TChangeStamp::touch();
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
    checkModify();
    FEditing.start(FFields.size());
    TChangeStamp::touch();
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
    if (FRows.empty()) {
        Append();
        return;
    }
    checkModify();
    FEditing.start(Fields(), *FStored, currentStored());
    TChangeStamp::touch();
    setState(TDataSetState::Edit);
}

void TDataSet::Cancel() {
    if (FState != TDataSetState::Edit && FState != TDataSetState::Insert) {
        return;
    }
    const bool inserting = FState == TDataSetState::Insert;
    FEditing.clear();
    TChangeStamp::touch();
    setState(TDataSetState::Browse);
    emit recordChanged();
    if (inserting) {
        emit currentChanged();
    }
}

// The record is written first; a refused write leaves the dataset in its edit
// state with what was typed. The rows read at opening take the record only
// once it is committed.
void TDataSet::Post() {
    checkActive();
    if (FState != TDataSetState::Edit && FState != TDataSetState::Insert) {
        return;
    }
    const bool inserting = FState == TDataSetState::Insert;
    checkModify();
    TRowWriter writer(*this, writeTable());
    if (inserting) {
        storeInserted(writer.insert(FEditing.values()));
    } else {
        const TField* idField = FindField(QStringLiteral("id"));
        if (!idField) {
            throw EDatabaseError(
                QStringLiteral("%1: rows cannot be told apart without an id").arg(objectName()));
        }
        writer.update(FEditing.values(), FStored->value(currentStored(), idField).toLongLong());
        FStored->update(currentStored(), FEditing.values());
    }
    FEditing.clear();
    TChangeStamp::touch();
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
    if (FRows.empty()) {
        throw EDatabaseError(
            QStringLiteral("%1: Cannot perform this operation on an empty dataset").arg(objectName()));
    }
    checkModify();
    const int row = currentStored();
    TRowWriter(*this, writeTable())
        .remove(FStored->value(row, FieldByName(QStringLiteral("id"))).toLongLong());
    FEditing.clear();
    setState(TDataSetState::Browse);
    FStored->remove(row);
    FRows.erase(FCurrent);
    if (FCurrent >= FRows.size()) {
        FCurrent = FRows.size() - 1;
    }
    FEof = FBof = FRows.empty();
    TChangeStamp::touch();
    emit rowsChanged();
    emit currentChanged();
    if (AfterDelete) {
        AfterDelete(this);
    }
}

// A new row takes its place in the current order; it stays visible until the
// filter is applied again, so the user sees what was just saved.
void TDataSet::storeInserted(qint64 newId) {
    if (const TField* idField = FindField(QStringLiteral("id"))) {
        FEditing.setKey(idField, newId);
    }
    FCurrent = FRows.insert(*this, FSort, FStored->append(FEditing.values()));
    FEof = FBof = false;
}

// ---- reading rows without moving ----

QVariant TDataSet::valueAt(int row, const TField* field) const {
    if (row < 0 || row >= FRows.size()) {
        return {};
    }
    return storedValue(FRows.at(row), field);
}

QString TDataSet::displayTextAt(int row, const TField* field) const {
    return field->textOf(valueAt(row, field), true);
}

QVariant TDataSet::storedValue(int storedRow, const TField* field) const {
    TScopedValue<int> scope(FActiveOverride, storedRow);
    return fieldValue(field);
}

QStringView TDataSet::storedText(int storedRow, const TField* field) const {
    return FStored->text(storedRow, field);
}

bool TDataSet::storedInteger(int storedRow, const TField* field, qint64* value) const {
    return FStored->integer(storedRow, field, value);
}

int TDataSet::storedRowCount() const {
    return FStored ? FStored->rowCount() : 0;
}

int TDataSet::locateStored(const TField* keyField, const QVariant& key) const {
    return FStored ? FStored->locate(keyField, key) : NoRecord;
}

void TDataSet::prefetchLookedUp(const TField* keyField, qint64 key, const TField* field,
                                TPrefetchStep step) const {
    if (!FStored || keyField->FieldKind() != TFieldKind::Data) {
        return;
    }
    if (step == TPrefetchStep::KeyRow) {
        FStored->prefetchKey(keyField, key);
        return;
    }
    const int row = FStored->indexedRow(keyField, key);
    if (row < 0) {
        return;
    }
    if (field->FieldKind() == TFieldKind::Data) {
        FStored->prefetch(row, field, step);
    } else if (field->FieldKind() == TFieldKind::Calculated) {
        FCalcFields.prefetch(row, step);
    }
}
