#pragma once

#include "data/DataSet.h"
#include "data/DataSource.h"

#include <QAbstractTableModel>
#include <QPointer>
#include <vector>

// One column of a grid: the field it shows, its title, its width in pixels (-1
// for one made from the field's display width), the alignment of its cells and
// of its title, and whether it is shown at all.
struct TGridColumn {
    QString FieldName;
    QString Title; // empty: the field's display label
    int Width = -1;
    Qt::Alignment Alignment = Qt::AlignLeft | Qt::AlignVCenter;
    bool Visible = true;
    // The program's grids centre their titles.
    Qt::Alignment TitleAlignment = Qt::AlignCenter;
};

// The visible rows of a dataset as a table, in the dataset's order. Cells are
// read when the view asks for them, so a dataset of a million rows costs the
// view nothing until it scrolls there. The record being edited shows its edit
// buffer. The model resets whenever the rows change and repaints the current
// row when its values do. The vertical header marks the current row; the model
// does not announce the mark moving, since a header told of a change measures
// its sections anew, so the view repaints its header itself.
class TDataSetTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit TDataSetTableModel(QObject* parent = nullptr);

    TDataSource* DataSource() const { return FDataSource; }
    void SetDataSource(TDataSource* dataSource);
    TDataSet* DataSet() const;
    const std::vector<TGridColumn>& Columns() const { return FColumns; }
    void SetColumns(std::vector<TGridColumn> columns);
    // The field of a column; nullptr while the dataset is closed or lacks it.
    TField* ColumnField(int column) const;
    // The row of the current record; -1 with none or while inserting.
    int CurrentRow() const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    void reset();
    void currentRecordChanged();
    void bindFields();
    QString cellText(int row, int column) const;

    QPointer<TDataSource> FDataSource;
    std::vector<TGridColumn> FColumns;
    std::vector<TField*> FFields; // per column, resolved at each reset
    int FRowCount = 0;
};
