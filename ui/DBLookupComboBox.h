#pragma once

#include <QComboBox>
#include <QHash>
#include <QVariant>

class TDataSource;
class TField;
class TDataSetTableModel;
class TFieldDataLink;

// A chooser that lists the visible rows of another data source (ListSource) in
// their order, showing ListField and identifying a row by KeyField. The list
// follows its dataset: a filter or a sort set there narrows or reorders it.
//
// Bound (DataSource and DataField set), the chosen key is the value of that field
// of the current record and choosing a row writes its key there, starting to edit
// a browsing record. Unbound, the key is kept in KeyValue. "No choice" is a null
// key and shows no text; so does a key whose row is not among the visible rows.
class TDBLookupComboBox : public QComboBox {
    Q_OBJECT
public:
    explicit TDBLookupComboBox(QWidget* parent = nullptr);

    TDataSource* DataSource() const;
    void SetDataSource(TDataSource* dataSource);
    QString DataField() const;
    void SetDataField(const QString& fieldName);

    TDataSource* ListSource() const;
    void SetListSource(TDataSource* listSource);
    QString KeyField() const { return FKeyField; }
    void SetKeyField(const QString& fieldName);
    QString ListField() const;
    void SetListField(const QString& fieldName);

    QVariant KeyValue() const;
    // Bound, writes the field; a null key clears the choice.
    void SetKeyValue(const QVariant& key);
    // The text shown; empty with no choice.
    QString Text() const { return currentText(); }

signals:
    // The user chose a row.
    void KeyValueChanged();

private:
    bool isBound() const;
    void showKey();
    int rowOfKey(const QVariant& key) const;
    void indexRows() const;
    const TField* keyField() const;
    QVariant keyAt(int row) const;
    void chosen(int row);

    TFieldDataLink* FLink;
    TDataSetTableModel* FList;
    QString FKeyField;
    QVariant FKeyValue;
    mutable QHash<QString, int> FRowOfKey; // key text -> visible row
    mutable bool FRowsIndexed = false;
};
