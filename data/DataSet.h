#pragma once

#include "data/CalcFieldCache.h"
#include "data/EditRecord.h"
#include "data/Field.h"
#include "data/FieldList.h"
#include "data/RowView.h"

#include <QObject>
#include <QVariant>
#include <functional>
#include <memory>
#include <vector>

class TConnection;
class TLookupResolver;
class TStoredRows;

enum class TDataSetState { Inactive, Browse, Edit, Insert, CalcFields };

using TDataSetNotifyEvent = std::function<void(TDataSet*)>;
// A bookmark names a stored row, whatever the sort and filter; -1 names none.
using TBookmark = int;

// A static client-side cursor over a table or query: every row is read when the
// dataset opens, sorting and filtering happen in memory, and changes made by
// other processes are seen only after it is opened again. Writes go straight to
// the database one row at a time.
//
// The dataset itself is the cursor and its states: which rows are visible in
// which order, which one is current, and the record being edited or added.
// The rows themselves (TStoredRows, read by TRowLoader over the engine's row
// reader), writing them (TRowWriter), lookups (TLookupResolver) and calculated
// fields (TCalcFieldCache) each have a class of their own.
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
    const std::vector<std::unique_ptr<TField>>& Fields() const { return FFields.all(); }
    TField* FieldByName(const QString& name) const;                             // throws EDatabaseError
    TField* FindField(const QString& name) const { return FFields.find(name); } // nullptr when absent

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
    bool Modified() const { return FEditing.modified(); }

    int RecNo() const; // from 1; -1 with no record or while inserting
    void SetRecNo(int recNo);
    bool CanModify() const;
    int RecordCount() const;
    bool IsEmpty() const { return RecordCount() == 0; }

    void First();
    void Last();
    void Next();
    // While a report walks the rows, the windows showing them need not follow
    // each move (a grid scrolling a row at a time asks the window system where
    // the mouse is, every time): between DisableControls and EnableControls the
    // moves are not announced, and where the dataset then stands is, once.
    // Calls nest.
    void DisableControls() { ++FControlsDisabled; }
    void EnableControls();
    void Prior();
    bool Eof() const { return FEof; }
    bool Bof() const { return FBof; }

    // What GetBookmark gives when no record is current.
    static constexpr TBookmark NoBookmark = -1;
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
    // A step of reading ahead a lookup into this dataset by an integer key (see
    // readAhead): where the key's row is, then that row's value of `field`.
    void prefetchLookedUp(const TField* keyField, qint64 key, const TField* field, TPrefetchStep step) const;
    QVariant storedValue(int storedRow, const TField* field) const;
    // The whole number of a stored row's numeric data field; false when empty.
    bool storedInteger(int storedRow, const TField* field, qint64* value) const;
    // The text of a stored row's text data field, without a copy.
    QStringView storedText(int storedRow, const TField* field) const;
    // The rows read and written since the dataset opened, deleted ones included.
    int storedRowCount() const;

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
    static constexpr int NoRecord = NoBookmark;

    void openRows();
    void rebuildView(int keepStoredRow);
    void checkActive() const;
    void checkEditing(const TField* field) const;
    void checkModify() const;
    void requireBrowsing() const;
    void moveTo(int visibleRow);
    void readAhead() const;
    int currentStored() const;
    int activeRecord() const;
    QVariant dataValue(int record, const TField* field) const;
    void calculate(int record) const;
    void storeInserted(qint64 newId);
    void setState(TDataSetState state);

    TField* addField(std::unique_ptr<TField> field);

    TFieldList FFields;
    // Per field: how a lookup field finds its value; none for other fields.
    std::vector<std::unique_ptr<TLookupResolver>> FLookups;
    std::unique_ptr<TStoredRows> FStored;
    TRowView FRows;
    int FCurrent = -1; // where among the rows shown
    int FControlsDisabled = 0;
    bool FMovedWhileDisabled = false;
    bool FEof = true;
    bool FBof = true;
    TDataSetState FState = TDataSetState::Inactive;
    QString FSort;
    QString FFilter;
    bool FFiltered = false;
    TEditRecord FEditing;
    static constexpr int NoOverride = -3;
    mutable int FActiveOverride = NoOverride; // record read by valueAt and calculation
    mutable TCalcFieldCache FCalcFields;
};
