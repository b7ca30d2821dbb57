#include "data/DataSource.h"

#include "data/DataSet.h"

TDataSource::TDataSource(TDataSet* dataSet, QObject* parent) : QObject(parent) {
    SetDataSet(dataSet);
}

TDataSet* TDataSource::DataSet() const {
    return FDataSet;
}

void TDataSource::SetDataSet(TDataSet* dataSet) {
    if (FDataSet) {
        disconnect(FDataSet, nullptr, this, nullptr);
    }
    FDataSet = dataSet;
    if (dataSet) {
        connect(dataSet, &TDataSet::rowsChanged, this, &TDataSource::rowsChanged);
        connect(dataSet, &TDataSet::currentChanged, this, &TDataSource::currentChanged);
        connect(dataSet, &TDataSet::recordChanged, this, &TDataSource::recordChanged);
        connect(dataSet, &TDataSet::stateChanged, this, &TDataSource::stateChanged);
    }
    emit dataSetChanged();
}
