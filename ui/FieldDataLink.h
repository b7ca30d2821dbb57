#pragma once

#include "data/DataSet.h"
#include "data/DataSource.h"

#include <QObject>
#include <QPointer>
#include <QVariant>

// What a data-aware control needs of its data source: the field it shows, a
// signal whenever that field's value may have changed, and a way to write into
// it that starts editing the record the way a user typing into a box expects.
class TFieldDataLink : public QObject {
    Q_OBJECT
public:
    explicit TFieldDataLink(QObject* parent = nullptr);

    TDataSource* DataSource() const { return FDataSource; }
    void SetDataSource(TDataSource* dataSource);
    const QString& FieldName() const { return FFieldName; }
    void SetFieldName(const QString& fieldName);

    TDataSet* DataSet() const;
    // The field on the open dataset; nullptr when unbound, closed or absent.
    TField* Field() const;
    // Whether writing would be taken: an open dataset that may be modified and a
    // field the program may write.
    bool CanModify() const;

    // Puts a browsing dataset into edit state and writes the value; refused
    // (false) when CanModify is false. The control is not told about its own write.
    bool WriteValue(const QVariant& value);
    // Writes a text typed into a box. A text that is not a value of the field's
    // type leaves the field empty, so that a post never stores an older value the
    // box no longer shows.
    bool WriteText(const QString& text);

signals:
    // The dataset, its state, its current record or the record's values changed.
    void dataChanged();

private:
    void notify();

    QPointer<TDataSource> FDataSource;
    QString FFieldName;
    bool FWriting = false;
};
