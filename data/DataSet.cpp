#include "data/DataSet.h"

#include "data/Connection.h"
#include "data/DatabaseEngine.h"
#include "data/Exception.h"
#include "data/RowFilter.h"
#include "data/RowSort.h"
#include "data/RowStore.h"
#include "data/ScopedValue.h"

namespace {

// Date-times are stored as "YYYY-MM-DD HH:MM:SS"; reading that by hand is many
// times faster than a general date parser, and a table may hold millions.
bool parseStored(QByteArrayView text, QDate* date, QTime* time) {
    const auto digits = [&](int from, int count, int* value) {
        *value = 0;
        for (int i = from; i < from + count; ++i) {
            if (i >= text.size() || text[i] < '0' || text[i] > '9') {
                return false;
            }
            *value = *value * 10 + (text[i] - '0');
        }
        return true;
    };
    int y = 0, mo = 0, d = 0, h = 0, mi = 0, sec = 0;
    const bool dateOk = text.size() >= 10 && digits(0, 4, &y) && text[4] == '-' && digits(5, 2, &mo) &&
                        text[7] == '-' && digits(8, 2, &d);
    if (!dateOk) {
        return false;
    }
    if (text.size() >= 19 && !(digits(11, 2, &h) && digits(14, 2, &mi) && digits(17, 2, &sec))) {
        return false;
    }
    *date = QDate(y, mo, d);
    *time = QTime(h, mi, sec);
    return date->isValid() && time->isValid();
}

// Names of columns are matched without regard to case, as the engines do:
// a server folds the names it was not given in quotes.
int columnIndex(const QStringList& names, const QString& name) {
    for (qsizetype i = 0; i < names.size(); ++i) {
        if (names[i].compare(name, Qt::CaseInsensitive) == 0) {
            return int(i);
        }
    }
    return -1;
}

QDateTime parseStoredDateTime(const QString& text) {
    QDate date;
    QTime time;
    return parseStored(text.toLatin1(), &date, &time) ? QDateTime(date, time) : QDateTime();
}

} // namespace

TDataSet::TDataSet(QObject* parent) : QObject(parent) {}

TDataSet::~TDataSet() = default;

TField* TDataSet::addField(std::unique_ptr<TField> field) {
    FFieldByName.insert(field->FieldName(), field.get());
    FFields.push_back(std::move(field));
    FCalcCache.clear(); // its layout follows the fields
    return FFields.back().get();
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
    return field;
}

TField* TDataSet::AddCalcField(const QString& name, TFieldType type, int size) {
    return addField(
        std::make_unique<TField>(this, name, type, TFieldKind::Calculated, size, int(FFields.size())));
}

// Names are looked up on every read of a calculated field, so the exact name
// is found by hash; other spellings of the name fall back to a scan.
TField* TDataSet::FindField(const QString& name) const {
    if (TField* known = FFieldByAddress.value(name.constData()); known && known->FieldName() == name) {
        return known;
    }
    if (TField* field = FFieldByName.value(name)) {
        if (FFieldByAddress.size() > 1024) {
            FFieldByAddress.clear(); // names built at run time come and go
        }
        FFieldByAddress.insert(name.constData(), field);
        return field;
    }
    for (const auto& field : FFields) {
        if (field->FieldName().compare(name, Qt::CaseInsensitive) == 0) {
            return field.get();
        }
    }
    return nullptr;
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
        sortRows();
        rebuildView(NoRecord);
        if (AfterOpen) {
            AfterOpen(this);
        }
        return;
    }
    if (BeforeClose) {
        BeforeClose(this);
    }
    FStore.reset();
    FOrder.clear();
    FView.clear();
    FIndexes.clear();
    FCalcCache.clear();
    FCalcValues.clear();
    FEditBuffer.clear();
    FSort.clear();
    FCurrent = -1;
    FEof = FBof = true;
    FModified = false;
    touch();
    setState(TDataSetState::Inactive);
    emit rowsChanged();
    emit currentChanged();
}

void TDataSet::openRows() {
    if (!Connection || !Connection->Connected()) {
        throw EDatabaseError(QStringLiteral("%1: the database is not open").arg(objectName()));
    }
    const std::unique_ptr<TRowReader> statement = Connection->Engine().select(selectText(), parameters());
    QStringList names;
    for (int i = 0; i < statement->columnCount(); ++i) {
        names << statement->columnName(i);
    }
    checkColumns(names);
    std::vector<int> columns;
    std::vector<TFieldType> types;
    FColumnOf.assign(FFields.size(), -1);
    for (const auto& field : FFields) {
        if (field->FieldKind() == TFieldKind::Data) {
            FColumnOf[field->Index()] = int(types.size());
            types.push_back(field->DataType());
            columns.push_back(columnIndex(names, field->FieldName()));
        }
    }
    FStore = std::make_unique<TRowStore>(types);
    try {
        readRows(*statement, columns);
    } catch (...) {
        FStore.reset();
        throw;
    }
}

void TDataSet::checkColumns(const QStringList& names) const {
    for (const auto& field : FFields) {
        if (field->FieldKind() == TFieldKind::Data && columnIndex(names, field->FieldName()) < 0) {
            throw EDatabaseError(
                QStringLiteral("%1: Field '%2' not found").arg(objectName(), field->FieldName()));
        }
    }
}

void TDataSet::readRows(TRowReader& statement, const std::vector<int>& columns) {
    std::vector<const TField*> dataFields;
    for (const auto& field : FFields) {
        if (field->FieldKind() == TFieldKind::Data) {
            dataFields.push_back(field.get());
        }
    }
    while (statement.step()) {
        const int row = FStore->appendRow();
        for (size_t c = 0; c < columns.size(); ++c) {
            readCell(statement, columns[c], row, dataFields[c]);
        }
    }
}

// Cells arrive as the engine stores them: integers, reals and text. A value the
// declared field cannot hold means the table is not the one the program knows.
void TDataSet::readCell(TRowReader& statement, int sqlColumn, int row, const TField* field) {
    const TRowReader::Kind kind = statement.kind(sqlColumn);
    if (kind == TRowReader::Kind::Null) {
        return;
    }
    const int column = FColumnOf[field->Index()];
    if (kind == TRowReader::Kind::Stamp) {
        if (field->DataType() != TFieldType::DateTime) {
            incompatible(field, TRowStore::fromStamp(statement.integer(sqlColumn)).toString(Qt::ISODate));
        }
        FStore->setNumber(row, column, statement.integer(sqlColumn));
        return;
    }
    if (kind == TRowReader::Kind::Text) {
        const QByteArrayView text = statement.text(sqlColumn);
        if (field->DataType() == TFieldType::String) {
            FStore->setUtf8(row, column, text);
            return;
        }
        // Straight to the stored form: a date-time of the local zone would look up
        // the zone's rules for every cell.
        QDate date;
        QTime time;
        if (field->DataType() == TFieldType::DateTime && parseStored(text, &date, &time)) {
            FStore->setNumber(row, column, TRowStore::toStamp(date, time));
            return;
        }
        const QString value = QString::fromUtf8(text);
        const QVariant stored = converted(field, value);
        if (stored.isNull()) {
            incompatible(field, value);
        }
        FStore->setValue(row, column, stored);
        return;
    }
    switch (field->DataType()) {
    case TFieldType::String:
        FStore->setValue(row, column,
                         kind == TRowReader::Kind::Integer
                             ? QString::number(statement.integer(sqlColumn))
                             : QString::number(statement.real(sqlColumn), 'g', 15));
        break;
    case TFieldType::Float:
        FStore->setReal(row, column, statement.real(sqlColumn));
        break;
    case TFieldType::DateTime:
        incompatible(field, QString::number(statement.real(sqlColumn), 'g', 15));
    case TFieldType::Boolean:
        FStore->setNumber(row, column, statement.integer(sqlColumn) != 0 ? 1 : 0);
        break;
    default:
        if (kind == TRowReader::Kind::Real) {
            incompatible(field, QString::number(statement.real(sqlColumn), 'g', 15));
        }
        FStore->setNumber(row, column, statement.integer(sqlColumn));
        break;
    }
}

void TDataSet::incompatible(const TField* field, const QString& value) const {
    throw EDatabaseError(QStringLiteral("%1: Field '%2' holds a value of an incompatible type: %3")
                             .arg(objectName(), field->FieldName(), value));
}

// Converts a value given by a caller or read as text to the field's type; a
// null result means it does not convert.
QVariant TDataSet::converted(const TField* field, const QVariant& value) const {
    if (!value.isValid() || value.isNull()) {
        return {};
    }
    bool ok = true;
    QVariant result;
    switch (field->DataType()) {
    case TFieldType::String:
        return value.toString();
    case TFieldType::Float:
        result = value.toDouble(&ok);
        break;
    case TFieldType::Boolean:
        result = value.userType() == QMetaType::Bool ? value.toBool() : value.toLongLong(&ok) != 0;
        break;
    case TFieldType::DateTime:
        result = value.userType() == QMetaType::QDateTime ? value.toDateTime()
                                                          : parseStoredDateTime(value.toString());
        ok = result.toDateTime().isValid();
        break;
    default:
        result = value.toLongLong(&ok);
        break;
    }
    return ok ? result : QVariant();
}

// ---- sort, filter and the visible rows ----

void TDataSet::SetSort(const QString& sort) {
    checkActive();
    const TRowSort parsed(*this, sort); // refuses a bad text before anything changes
    requireBrowsing();
    FSort = sort;
    sortRows();
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

// Orders the live rows; the filter is applied to the order afterwards, so
// switching a filter on or off never sorts again.
void TDataSet::sortRows() {
    FOrder.clear();
    for (int row = 0; row < FStore->rowCount(); ++row) {
        if (!FStore->isDeleted(row)) {
            FOrder.push_back(row);
        }
    }
    if (!FSort.isEmpty()) {
        TRowSort(*this, FSort).apply(*this, FOrder);
    }
}

// Applies the filter to the ordered rows and makes `keepStoredRow` current
// when it is still visible, else the first row.
void TDataSet::rebuildView(int keepStoredRow) {
    if (FFiltered && !FFilter.trimmed().isEmpty()) {
        const TRowFilter filter(*this, FFilter);
        FView.clear();
        for (int row : FOrder) {
            if (filter.matches(row)) {
                FView.push_back(row);
            }
        }
    } else {
        FView = FOrder;
    }
    int current = FView.empty() ? -1 : 0;
    if (keepStoredRow >= 0) {
        const auto it = std::find(FView.begin(), FView.end(), keepStoredRow);
        if (it != FView.end()) {
            current = int(it - FView.begin());
        }
    }
    FCurrent = current;
    FBof = true;
    FEof = FView.empty();
    touch();
    emit rowsChanged();
    emit currentChanged();
}

// ---- navigation ----

int TDataSet::RecordCount() const {
    return Active() ? int(FView.size()) : 0;
}

int TDataSet::RecNo() const {
    if (!Active() || FState == TDataSetState::Insert || FCurrent < 0) {
        return -1;
    }
    return FCurrent + 1;
}

void TDataSet::SetRecNo(int recNo) {
    checkActive();
    if (recNo >= 1 && recNo <= int(FView.size())) {
        moveTo(recNo - 1);
    }
}

void TDataSet::First() {
    checkActive();
    moveTo(FView.empty() ? -1 : 0);
    FBof = true;
}

void TDataSet::Last() {
    checkActive();
    moveTo(int(FView.size()) - 1);
    FEof = true;
}

void TDataSet::Next() {
    checkActive();
    if (FCurrent + 1 < int(FView.size())) {
        moveTo(FCurrent + 1);
    } else {
        requireBrowsing();
        FEof = true;
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
    FBof = FEof = FView.empty();
    if (visibleRow == FCurrent) {
        return;
    }
    FCurrent = visibleRow;
    emit currentChanged();
    if (AfterScroll) {
        AfterScroll(this);
    }
}

TBookmark TDataSet::GetBookmark() const {
    return Active() ? currentStored() : NoRecord;
}

void TDataSet::GotoBookmark(TBookmark bookmark) {
    checkActive();
    const auto it = std::find(FView.begin(), FView.end(), bookmark);
    if (it == FView.end()) {
        throw EDatabaseError(QStringLiteral("%1: Record not found").arg(objectName()));
    }
    moveTo(int(it - FView.begin()));
}

int TDataSet::currentStored() const {
    return (FCurrent >= 0 && FCurrent < int(FView.size())) ? FView[FCurrent] : NoRecord;
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

void TDataSet::setState(TDataSetState state) {
    if (FState != state) {
        FState = state;
        emit stateChanged();
    }
}

// ---- reading rows without moving ----

QVariant TDataSet::valueAt(int row, const TField* field) const {
    if (row < 0 || row >= int(FView.size())) {
        return {};
    }
    return storedValue(FView[row], field);
}

QString TDataSet::displayTextAt(int row, const TField* field) const {
    return field->textOf(valueAt(row, field), true);
}

QVariant TDataSet::storedValue(int storedRow, const TField* field) const {
    TScopedValue<int> scope(FActiveOverride, storedRow);
    return fieldValue(field);
}

QStringView TDataSet::storedText(int storedRow, const TField* field) const {
    return FStore->text(storedRow, FColumnOf[field->Index()]);
}

bool TDataSet::storedInteger(int storedRow, const TField* field, qint64* value) const {
    const int column = FColumnOf[field->Index()];
    if (FStore->isNull(storedRow, column)) {
        return false;
    }
    *value = qint64(FStore->number(storedRow, column));
    return true;
}
