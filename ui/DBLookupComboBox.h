#pragma once

#include <QComboBox>
#include <QFont>
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
//
// Its items are told apart by their whole lines: the drop-down list is as wide
// as its longest item, within the screen, and a line that still does not fit,
// in the list or in the box, is cut at its end and shown whole as a tooltip.
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
    // The text as the box draws it: cut at its end where the box is too narrow.
    QString ShownText() const;
    // The tip of a row of the dropped-down list: its whole line where the list
    // cuts it, else nothing.
    QString ItemTip(int row) const;

    void showPopup() override;

signals:
    // The user chose a row.
    void KeyValueChanged();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QRect textRect() const;
    void showWholeTextAsTip();
    int longestItemWidth() const;
    void fitPopupToItems();
    void scrollPopupToCurrent();
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
    mutable QHash<qint64, int> FRowOfNumber; // whole-number key -> visible row
    mutable QHash<QString, int> FRowOfText;  // key of another type, by its text -> visible row
    mutable bool FKeysAreNumbers = false;
    mutable bool FRowsIndexed = false;
    mutable int FLongestItem = -1; // text width of the widest item; -1 until measured
    mutable QFont FMeasuredFont;   // the list's font when it was measured
};
