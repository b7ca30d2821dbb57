#include "ui/DataSetTableModel.h"

#include "data/DataSet.h"
#include "ui/ShowingErrors.h"

namespace {

const QString CurrentRowMark = QStringLiteral("\u25B6");

} // namespace

TDataSetTableModel::TDataSetTableModel(QObject* parent) : QAbstractTableModel(parent) {}

void TDataSetTableModel::SetDataSource(TDataSource* dataSource) {
    if (FDataSource) {
        disconnect(FDataSource, nullptr, this, nullptr);
    }
    FDataSource = dataSource;
    if (dataSource) {
        const auto reset = showingErrors(this, &TDataSetTableModel::reset);
        const auto recordChanged = showingErrors(this, &TDataSetTableModel::currentRecordChanged);
        connect(dataSource, &TDataSource::dataSetChanged, this, reset);
        connect(dataSource, &TDataSource::rowsChanged, this, reset);
        connect(dataSource, &TDataSource::stateChanged, this, recordChanged);
        connect(dataSource, &TDataSource::recordChanged, this, recordChanged);
    }
    reset();
}

TDataSet* TDataSetTableModel::DataSet() const {
    return FDataSource ? FDataSource->DataSet() : nullptr;
}

void TDataSetTableModel::SetColumns(std::vector<TGridColumn> columns) {
    beginResetModel();
    FColumns = std::move(columns);
    bindFields();
    endResetModel();
}

TField* TDataSetTableModel::ColumnField(int column) const {
    return column >= 0 && column < int(FFields.size()) ? FFields[size_t(column)] : nullptr;
}

int TDataSetTableModel::CurrentRow() const {
    const TDataSet* dataSet = DataSet();
    return dataSet && dataSet->Active() ? dataSet->RecNo() - 1 : -1;
}

void TDataSetTableModel::reset() {
    beginResetModel();
    bindFields();
    endResetModel();
}

void TDataSetTableModel::bindFields() {
    const TDataSet* dataSet = DataSet();
    const bool active = dataSet && dataSet->Active();
    FRowCount = active ? dataSet->RecordCount() : 0;
    FFields.clear();
    for (const TGridColumn& column : FColumns) {
        FFields.push_back(active ? dataSet->FindField(column.FieldName) : nullptr);
    }
}

// Only the current record changes without the rows changing: repaint its row.
void TDataSetTableModel::currentRecordChanged() {
    const int row = CurrentRow();
    if (row >= 0 && row < FRowCount && !FColumns.empty()) {
        emit dataChanged(index(row, 0), index(row, int(FColumns.size()) - 1));
    }
}

int TDataSetTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : FRowCount;
}

int TDataSetTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(FColumns.size());
}

QVariant TDataSetTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= FRowCount) {
        return {};
    }
    if (role == Qt::DisplayRole) {
        return cellText(index.row(), index.column());
    }
    if (role == Qt::TextAlignmentRole) {
        return int(FColumns[size_t(index.column())].Alignment.toInt());
    }
    return {};
}

// The record in edit state shows what is being typed, as the boxes of the edit
// window do; every other row shows what is stored.
QString TDataSetTableModel::cellText(int row, int column) const {
    const TField* field = ColumnField(column);
    if (!field) {
        return {};
    }
    const TDataSet* dataSet = DataSet();
    if (dataSet->State() == TDataSetState::Edit && row == CurrentRow()) {
        return field->DisplayText();
    }
    return dataSet->displayTextAt(row, field);
}

QVariant TDataSetTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Vertical) {
        return role == Qt::DisplayRole && section == CurrentRow() ? QVariant(CurrentRowMark) : QVariant();
    }
    if (section < 0 || section >= int(FColumns.size())) {
        return {};
    }
    const TGridColumn& column = FColumns[size_t(section)];
    if (role == Qt::DisplayRole) {
        const TField* field = ColumnField(section);
        return !column.Title.isEmpty() || !field ? column.Title : field->DisplayLabel;
    }
    if (role == Qt::TextAlignmentRole) {
        return int(column.TitleAlignment.toInt());
    }
    return {};
}

Qt::ItemFlags TDataSetTableModel::flags(const QModelIndex& index) const {
    return index.isValid() ? Qt::ItemIsSelectable | Qt::ItemIsEnabled : Qt::NoItemFlags;
}
