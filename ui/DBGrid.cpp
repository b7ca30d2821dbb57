#include "ui/DBGrid.h"

#include "data/DataSet.h"
#include "ui/DialogService.h"
#include "ui/ShowingErrors.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QScopedValueRollback>
#include <QStyleOptionHeader>

namespace {

const int IndicatorWidth = 14;
const int CellPadding = 8;

} // namespace

TDBGrid::TDBGrid(QWidget* parent) : QTableView(parent), FModel(new TDataSetTableModel(this)) {
    setModel(FModel);
    setSelectionBehavior(SelectRows);
    setSelectionMode(SingleSelection);
    setEditTriggers(NoEditTriggers);
    setTabKeyNavigation(false);
    setWordWrap(false);
    // Rows of one fixed height keep a grid of a million rows as quick as a short one:
    // the view never asks a row for its size.
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
    verticalHeader()->setFixedWidth(IndicatorWidth);
    horizontalHeader()->setHighlightSections(false);
    connect(selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            showingErrors(this, &TDBGrid::currentRowMoved));
    connect(FModel, &QAbstractItemModel::modelReset, this, showingErrors([this] {
                applyColumnSettings();
                followDataSet();
            }));
    connect(horizontalHeader(), &QHeaderView::sectionResized, this, [this](int column, int, int width) {
        if (!FApplying && column < int(FUserWidths.size())) {
            FUserWidths[size_t(column)] = width;
        }
    });
}

void TDBGrid::SetDataSource(TDataSource* dataSource) {
    if (DataSource()) {
        disconnect(DataSource(), nullptr, this, nullptr);
    }
    FModel->SetDataSource(dataSource);
    if (dataSource) {
        // A posted new record gets its row while the dataset still says it is
        // inserting; the row is found once the state changes back.
        connect(dataSource, &TDataSource::currentChanged, this, showingErrors(this, &TDBGrid::followDataSet));
        connect(dataSource, &TDataSource::stateChanged, this, showingErrors(this, &TDBGrid::followDataSet));
    }
}

void TDBGrid::SetColumns(std::vector<TGridColumn> columns) {
    FUserWidths.assign(columns.size(), 0);
    FModel->SetColumns(std::move(columns));
}

// The header forgets its sections when the model resets, so the settings are put
// back each time, with the widths the user gave the columns.
void TDBGrid::applyColumnSettings() {
    const QScopedValueRollback<bool> applying(FApplying, true);
    const std::vector<TGridColumn>& columns = FModel->Columns();
    for (int i = 0; i < int(columns.size()); ++i) {
        const TGridColumn& column = columns[size_t(i)];
        setColumnHidden(i, !column.Visible);
        const int userWidth = FUserWidths[size_t(i)];
        setColumnWidth(i, userWidth > 0 ? userWidth : column.Width >= 0 ? column.Width : defaultWidth(i));
    }
}

// A column without a width is as wide as the field's display width in average
// characters, or as its title if that is wider. A date column is as wide as a
// date with a time of day, as a date typed with its time is shown.
int TDBGrid::defaultWidth(int column) const {
    const TField* field = FModel->ColumnField(column);
    const int characters = field ? field->DisplayWidth() : 10;
    int content = characters * fontMetrics().averageCharWidth();
    if (field && field->DataType() == TFieldType::DateTime) {
        const QDateTime widest(QDate(2000, 12, 28), QTime(20, 58, 58));
        content = fontMetrics().horizontalAdvance(field->textOf(widest, true));
    }
    const QString title = FModel->headerData(column, Qt::Horizontal).toString();
    return std::max(content, fontMetrics().horizontalAdvance(title)) + CellPadding;
}

// The title is drawn in the section less the style's border, padding and margin.
int TDBGrid::TitleWidth(int column) const {
    QHeaderView* header = horizontalHeader();
    header->ensurePolished();
    QStyleOptionHeader option;
    option.initFrom(header);
    option.state |= QStyle::State_Horizontal;
    option.orientation = Qt::Horizontal;
    option.section = column;
    option.text = FModel->headerData(column, Qt::Horizontal).toString();
    option.textAlignment = FModel->Columns()[size_t(column)].TitleAlignment;
    option.rect = QRect(0, 0, 1000, std::max(header->height(), fontMetrics().height()));
    const QRect label = header->style()->subElementRect(QStyle::SE_HeaderLabel, &option, header);
    return header->fontMetrics().horizontalAdvance(option.text) + option.rect.width() - label.width();
}

void TDBGrid::followDataSet() {
    const QScopedValueRollback<bool> following(FFollowing, true);
    verticalHeader()->viewport()->update();
    const int row = FModel->CurrentRow();
    if (row < 0 || row >= FModel->rowCount()) {
        selectionModel()->clear();
        return;
    }
    if (currentIndex().row() == row) {
        return;
    }
    int column = std::max(currentIndex().column(), 0);
    while (column < FModel->columnCount() - 1 && isColumnHidden(column)) {
        ++column;
    }
    const QModelIndex index = FModel->index(row, column);
    // A grid that selects cells keeps one cell selected, in the column the user was in.
    QItemSelectionModel::SelectionFlags flags = QItemSelectionModel::ClearAndSelect;
    if (selectionBehavior() == SelectRows)
        flags |= QItemSelectionModel::Rows;
    selectionModel()->setCurrentIndex(index, flags);
    scrollTo(index);
}

void TDBGrid::currentRowMoved(const QModelIndex& current) {
    TDataSet* dataSet = FModel->DataSet();
    if (FFollowing || !current.isValid() || !dataSet || !dataSet->Active()) {
        return;
    }
    // The record being edited belongs to its edit window until that window
    // saves or cancels it: a click, a key or the focus coming back to the grid
    // moves nothing, and the grid shows the dataset's own position again.
    if (dataSet->State() == TDataSetState::Edit || dataSet->State() == TDataSetState::Insert) {
        followDataSet();
        return;
    }
    if (dataSet->RecNo() != current.row() + 1) {
        dataSet->SetRecNo(current.row() + 1);
    }
}

void TDBGrid::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Delete && event->modifiers() == Qt::ControlModifier) {
        runShowingErrors([this] { deleteCurrentRecord(); });
        event->accept();
        return;
    }
    QTableView::keyPressEvent(event);
}

// The grid's own delete: no guard of the list window and no question of its own
// wording, only the grid's confirmation.
void TDBGrid::deleteCurrentRecord() {
    TDataSet* dataSet = FModel->DataSet();
    if (!dataSet || dataSet->State() != TDataSetState::Browse || dataSet->IsEmpty() ||
        !dataSet->CanModify()) {
        return;
    }
    const TMessageBox box{
        TMsgKind::Confirmation,           this,           QStringLiteral("Confirm"),
        QStringLiteral("Delete record?"), TMsgIcon::None, TMsgButton::Ok | TMsgButton::Cancel};
    if (dialogs().messageBox(box) == TMsgButton::Ok) {
        dataSet->Delete();
    }
}
