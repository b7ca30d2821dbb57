#pragma once

#include "data/Field.h"

#include <QHash>
#include <QObject>
#include <QVariant>
#include <functional>
#include <memory>
#include <vector>

class TConnection;
class TRowReader;
class TRowStore;
class TRowFilter;

enum class TDataSetState { Inactive, Browse, Edit, Insert, CalcFields };

using TDataSetNotifyEvent = std::function<void(TDataSet*)>;
// A bookmark names a stored row, whatever the sort and filter; -1 names none.
using TBookmark = int;

// A static client-side cursor over a table or query: every row is read when the
// dataset opens, sorting and filtering happen in memory, and changes made by
// other processes are seen only after it is opened again. Writes go straight to
// the database one row at a time.
class TDataSet : public QObject {
    Q_OBJECT
public:
    explicit TDataSet(QObject* parent = nullptr);
    ~TDataSet() override;

    TConnection* Connection = nullptr;

    // Field declaration, before the first opening.
    TField* AddDataField(const QString& name, TFieldType type, int size = 0);
    TField* AddLookupField(const QString& name, TFieldType type, int size, const QString& keyField,
                           TDataSet* lookupDataSet, const QString& lookupKey, const QString& resultField);
    TField* AddCalcField(const QString& name, TFieldType type, int size = 0);
    const std::vector<std::unique_ptr<TField>>& Fields() const { return FFields; }
    TField* FieldByName(const QString& name) const; // throws EDatabaseError
    TField* FindField(const QString& name) const;   // nullptr when absent

    bool Active() const { return FState != TDataSetState::Inactive; }
    void SetActive(bool active);
    void Open() { SetActive(true); }
    void Close() { SetActive(false); }
    TDataSetState State() const { return FState; }

    QString Sort() const { return FSort; }
    void SetSort(const QString& sort);
    QString Filter() const { return FFilter; }
    void SetFilter(const QString& filter);
    bool Filtered() const { return FFiltered; }
    void SetFiltered(bool filtered);

    void Append();
    void Edit();
    void Post();
    void Cancel();
    void Delete();
    bool Modified() const { return FModified; }

    int RecNo() const; // from 1; -1 with no record or while inserting
    void SetRecNo(int recNo);
    bool CanModify() const;
    int RecordCount() const;
    bool IsEmpty() const { return RecordCount() == 0; }

    void First();
    void Last();
    void Next();
    void Prior();
    bool Eof() const { return FEof; }
    bool Bof() const { return FBof; }

    TBookmark GetBookmark() const;
    void GotoBookmark(TBookmark bookmark);
    void FreeBookmark(TBookmark) {}

    // Events. Each is a plain function object, so a caller may keep the old one
    // and put its own in front of it for a while.
    TDataSetNotifyEvent AfterOpen;
    TDataSetNotifyEvent BeforeClose;
    TDataSetNotifyEvent AfterInsert;
    TDataSetNotifyEvent AfterPost;
    // Runs inside the transaction that writes a posted row, before the row is
    // written. What it reads after locking a row (TConnection's engine,
    // lockRow) cannot change until the row is stored, whoever else writes.
    // Throwing refuses the post like a refused write: nothing is written. It may
    // read through other datasets but not post them, as their write would need
    // a transaction of its own.
    TDataSetNotifyEvent BeforeWrite;
    TDataSetNotifyEvent AfterDelete;
    TDataSetNotifyEvent AfterScroll;
    TDataSetNotifyEvent OnCalcFields;

    // Reading a visible row without moving the cursor (grids, reports, sorting).
    QVariant valueAt(int row, const TField* field) const;
    QString displayTextAt(int row, const TField* field) const;

    // Used by TField: the value of a field of the active record, and writing it.
    QVariant fieldValue(const TField* field) const;
    void setFieldValue(const TField* field, const QVariant& value);

    // The stored row whose field `keyField` equals `key`, or -1; answered from an
    // index kept with the rows. Lookup fields of other datasets use it.
    int locateStored(const TField* keyField, const QVariant& key) const;
    QVariant storedValue(int storedRow, const TField* field) const;
    // The whole number of a stored row's numeric data field; false when empty.
    bool storedInteger(int storedRow, const TField* field, qint64* value) const;
    // The text of a stored row's text data field, without a copy.
    QStringView storedText(int storedRow, const TField* field) const;

signals:
    void rowsChanged();    // the visible rows or their order changed
    void currentChanged(); // the current record moved to another row
    void recordChanged();  // a field of the current record changed
    void stateChanged();   // opened, closed, or edit state changed

protected:
    virtual QString selectText() const = 0;
    virtual std::vector<std::pair<QString, QVariant>> parameters() const { return {}; }
    // The table that writes go to; empty when the dataset cannot be written.
    virtual QString writeTable() const { return {}; }

private:
    // The record that field reads and writes address: a stored row, the edit
    // buffer, or none.
    static constexpr int EditRecord = -2;
    static constexpr int NoRecord = -1;

    void openRows();
    void checkColumns(const QStringList& names) const;
    void readRows(TRowReader& statement, const std::vector<int>& columns);
    void readCell(TRowReader& statement, int sqlColumn, int row, const TField* field);
    [[noreturn]] void incompatible(const TField* field, const QString& value) const;
    void sortRows();
    void rebuildView(int keepStoredRow);
    void checkActive() const;
    void checkEditing(const TField* field) const;
    void requireBrowsing() const;
    void moveTo(int visibleRow);
    int currentStored() const;
    int activeRecord() const;
    QVariant dataValue(int record, const TField* field) const;
    QVariant lookupValue(const TField* field) const;
    QVariant findLookup(const TField* field, const QVariant& key) const;
    QVariant calcValue(int record, const TField* field) const;
    void recalculate(int record) const;
    void createCalcCache() const;
    QVariant converted(const TField* field, const QVariant& value) const;
    void writeRow(bool inserting);
    void storePosted(bool inserting, const QVariant& newId);
    void setState(TDataSetState state);
    void indexRow(int storedRow);
    // Every change to any dataset moves this stamp on. A calculated value is kept
    // only while the stamp stands still, since it may read other datasets through
    // lookups and would otherwise go stale when one of them changes.
    inline static quint64 FChangeStamp = 1;
    static void touch() { ++FChangeStamp; }
    void unindexRow(int storedRow);

    TField* addField(std::unique_ptr<TField> field);

    std::vector<std::unique_ptr<TField>> FFields;
    QHash<QString, TField*> FFieldByName;
    // Handlers ask for fields by the same literal names over and over; the
    // text's address finds them without hashing the text.
    mutable QHash<const void*, TField*> FFieldByAddress;
    std::vector<int> FColumnOf; // per field: its column in the store, or -1
    std::unique_ptr<TRowStore> FStore;
    std::vector<int> FOrder; // live rows in sort order
    std::vector<int> FView;  // visible rows in order, as stored row numbers
    int FCurrent = -1;       // index into FView
    bool FEof = true;
    bool FBof = true;
    TDataSetState FState = TDataSetState::Inactive;
    QString FSort;
    QString FFilter;
    bool FFiltered = false;
    bool FModified = false;
    std::vector<QVariant> FEditBuffer; // one value per field while editing or inserting
    static constexpr int NoOverride = -3;
    mutable int FActiveOverride = NoOverride; // record read by valueAt and calculation
    mutable std::vector<QVariant> FCalcBuffer;
    mutable int FCalcRecord = NoRecord;
    mutable bool FCalculating = false;
    // Calculated values of recently read records. A lookup from a big table
    // into this one reads its rows in no useful order; keeping many records'
    // values makes each computed once per change rather than once per read.
    // Only the calculated fields' values are kept, side by side in one list
    // (slot-major), so a big table's cache costs a few values a record.
    struct TCalcEntry {
        int record = NoRecord;
        quint64 stamp = 0;
    };
    mutable std::vector<TCalcEntry> FCalcCache;
    mutable std::vector<QVariant> FCalcValues;
    mutable std::vector<int> FCalcFields;  // indexes of the calculated fields
    mutable std::vector<int> FCalcOrdinal; // per field: its place among them, or -1
    // Per integer key field: key value -> stored row, built on the first lookup.
    mutable QHash<int, QHash<qint64, int>> FIndexes;
};

// A dataset over one table, opened by the table's name; written row by row by id.
class TTable : public TDataSet {
    Q_OBJECT
public:
    explicit TTable(QString tableName, QObject* parent = nullptr)
        : TDataSet(parent), TableName(std::move(tableName)) {}
    QString TableName;

protected:
    QString selectText() const override;
    QString writeTable() const override { return TableName; }
};

// A read-only dataset over a query text with named parameters (":name").
class TQuery : public TDataSet {
    Q_OBJECT
public:
    explicit TQuery(QString sql, QObject* parent = nullptr) : TDataSet(parent), SQL(std::move(sql)) {}
    QString SQL;
    // Declares or returns the parameter `name`; its value is bound at the next opening.
    QVariant& ParamByName(const QString& name);

protected:
    QString selectText() const override { return SQL; }
    std::vector<std::pair<QString, QVariant>> parameters() const override { return FParams; }

private:
    std::vector<std::pair<QString, QVariant>> FParams;
};
