#include "ui/FieldDataLink.h"

#include "data/DataSet.h"
#include "data/DataSource.h"
#include "data/Exception.h"

#include <QScopedValueRollback>

TFieldDataLink::TFieldDataLink(QObject* parent) : QObject(parent) {}

void TFieldDataLink::SetDataSource(TDataSource* dataSource) {
    if (FDataSource) {
        disconnect(FDataSource, nullptr, this, nullptr);
    }
    FDataSource = dataSource;
    if (dataSource) {
        for (auto signal :
             {&TDataSource::dataSetChanged, &TDataSource::rowsChanged, &TDataSource::currentChanged,
              &TDataSource::recordChanged, &TDataSource::stateChanged}) {
            connect(dataSource, signal, this, &TFieldDataLink::notify);
        }
    }
    emit dataChanged();
}

void TFieldDataLink::SetFieldName(const QString& fieldName) {
    FFieldName = fieldName;
    emit dataChanged();
}

TDataSet* TFieldDataLink::DataSet() const {
    return FDataSource ? FDataSource->DataSet() : nullptr;
}

TField* TFieldDataLink::Field() const {
    TDataSet* dataSet = DataSet();
    return dataSet && dataSet->Active() ? dataSet->FindField(FFieldName) : nullptr;
}

bool TFieldDataLink::CanModify() const {
    const TField* field = Field();
    return field && !field->ReadOnly && field->FieldKind() == TFieldKind::Data && DataSet()->CanModify();
}

bool TFieldDataLink::WriteValue(const QVariant& value) {
    if (!CanModify()) {
        return false;
    }
    const QScopedValueRollback<bool> writing(FWriting, true);
    TDataSet* dataSet = DataSet();
    if (dataSet->State() == TDataSetState::Browse) {
        dataSet->Edit();
    }
    Field()->SetValue(value);
    return true;
}

bool TFieldDataLink::WriteText(const QString& text) {
    const TField* field = Field();
    if (!field) {
        return false;
    }
    QVariant value;
    if (!text.isEmpty() || field->IsText()) {
        try {
            value = field->valueFromText(text);
        } catch (const EDatabaseError&) {
            value = QVariant(); // not a value of the field's type: the field stays empty
        }
    }
    return WriteValue(value);
}

void TFieldDataLink::notify() {
    if (!FWriting) {
        emit dataChanged();
    }
}
