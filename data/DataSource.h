#pragma once

#include <QObject>
#include <QPointer>

class TDataSet;

// The link between a dataset and the controls that show it: controls follow the
// data source, so a window can be pointed at another dataset in one place.
class TDataSource : public QObject {
    Q_OBJECT
public:
    explicit TDataSource(TDataSet* dataSet = nullptr, QObject* parent = nullptr);
    TDataSet* DataSet() const;
    void SetDataSet(TDataSet* dataSet);

signals:
    void dataSetChanged();
    void rowsChanged();
    void currentChanged();
    void recordChanged();
    void stateChanged();

private:
    QPointer<TDataSet> FDataSet;
};
