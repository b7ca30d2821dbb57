#pragma once

#include "ui/DataSetTableModel.h"

#include <QTableView>

// A read-only grid over a data source: whole rows are selected (or single
// cells, after setSelectionBehavior(SelectItems)), nothing is edited in place,
// and the selected row is the dataset's current record both ways: moving in
// the grid moves the record, and moving the record moves the grid. While a
// record is being edited or added the grid cannot move away from it. The row
// indicator on the left marks the current record.
//
// Ctrl+Delete deletes the current record directly, after "Delete record?", when
// the dataset has records and may be modified.
class TDBGrid : public QTableView {
    Q_OBJECT
public:
    explicit TDBGrid(QWidget* parent = nullptr);

    TDataSource* DataSource() const { return FModel->DataSource(); }
    void SetDataSource(TDataSource* dataSource);
    // Sets the columns, their titles, widths, alignments and visibility.
    void SetColumns(std::vector<TGridColumn> columns);
    const std::vector<TGridColumn>& Columns() const { return FModel->Columns(); }
    TDataSetTableModel* Model() const { return FModel; }
    // The width that shows the column's title whole in the grid's font and style.
    int TitleWidth(int column) const;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void applyColumnSettings();
    int defaultWidth(int column) const;
    void followDataSet();
    void currentRowMoved(const QModelIndex& current);
    void deleteCurrentRecord();

    TDataSetTableModel* FModel;
    std::vector<int> FUserWidths; // per column: the width the user dragged it to, or 0
    bool FFollowing = false;
    bool FApplying = false;
};
