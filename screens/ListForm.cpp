#include "screens/ListForm.h"

#include "data/DataSet.h"
#include "framework/CrudController.h"
#include "framework/KeyPressFilter.h"
#include "framework/LetterFilter.h"
#include "screens/EditForm.h"
#include "ui/DBGrid.h"
#include "ui/ShowingErrors.h"

#include <QAction>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

// The tool buttons the windows have, each acting as the menu item of its command.
struct TToolCommand {
    const char* Name;
    const char* Caption;
    void (TListForm::*Handler)();
};

const TToolCommand ToolCommands[] = {
    {"tbtnAdd", "Добавить", &TListForm::mnuAddClick},
    {"tbtnEdit", "Редактировать", &TListForm::mnuEditClick},
    {"tbtnDel", "Удалить", &TListForm::mnuDelClick},
    {"tbtnReport", "Отчет", &TListForm::mnuReportClick},
    {"tbtnPrint", "Отчет", &TListForm::mnuReportClick},
    {"tbtnClose", "Закрыть", &TListForm::mnuCloseClick},
};

const TToolCommand* toolCommand(const char* name) {
    for (const TToolCommand& command : ToolCommands)
        if (qstrcmp(command.Name, name) == 0)
            return &command;
    return nullptr;
}

const int SearchPanelWidth = 200;
const int MinimumWidth = 640;

} // namespace

TListForm::TListForm(const TListWindow& window, TDataSet* table, TDataSource* dataSource, QWidget* owner)
    : TForm(owner), tbl(table), FSearch(window.Search), FSearchOnCreate(window.SearchOnCreate),
      FSearchAbove(window.SearchAbove), FCreateReportForm(window.CreateReportForm),
      MainMenu(new QMenuBar(this)) {
    setObjectName(QString::fromLatin1(window.Name));
    setWindowTitle(window.Caption);
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinMaxButtonsHint |
                   Qt::WindowCloseButtonHint);
    auto* layout = new QVBoxLayout(this);
    layout->setMenuBar(MainMenu);
    buildToolBar(window.Tools);
    QBoxLayout* body = FSearchAbove ? static_cast<QBoxLayout*>(new QVBoxLayout) : new QHBoxLayout;
    layout->addLayout(body, 1);
    if (!FSearch.empty()) {
        buildSearchPanel(FSearch);
        body->addWidget(GroupBox2, 0, FSearchAbove ? Qt::AlignLeft : Qt::AlignTop);
    }
    buildGrid(window, dataSource);
    body->addWidget(FGrid, 1);
    buildMenu(window);
    fitWidthToGrid();
}

TListForm::~TListForm() = default;

void TListForm::FormCreate() {
    FCrud = std::make_unique<TCrudController>(tbl);
    FFormEdit = createEditForm();
    if (FCreateReportForm)
        FFormReport = FCreateReportForm(this, FCrud.get());
    if (FSearchOnCreate && !FSearch.empty())
        search();
}

void TListForm::buildToolBar(const std::vector<const char*>& tools) {
    auto* cbarMain = new QWidget(this);
    cbarMain->setObjectName(QStringLiteral("cbarMain"));
    auto* bar = new QHBoxLayout(cbarMain);
    bar->setContentsMargins(0, 0, 0, 0);
    ToolBar1 = new QToolBar(cbarMain);
    ToolBar1->setObjectName(QStringLiteral("ToolBar1"));
    ToolBar1->setIconSize(QSize(64, 64));
    bar->addWidget(ToolBar1);
    for (const char* name : tools) {
        const TToolCommand* command = toolCommand(name);
        if (!command) {
            ToolBar1->addSeparator()->setObjectName(QString::fromLatin1(name));
            continue;
        }
        auto* button = new QToolButton(ToolBar1);
        button->setObjectName(QString::fromLatin1(name));
        button->setToolTip(QString::fromUtf8(command->Caption));
        button->setToolButtonStyle(Qt::ToolButtonIconOnly);
        button->setIconSize(QSize(64, 64));
        button->setFixedSize(71, 70);
        connect(button, &QToolButton::clicked, this, showingErrors(this, command->Handler));
        ToolBar1->addWidget(button);
        FHasEdit = FHasEdit || command->Handler == &TListForm::mnuEditClick;
    }
    layout()->addWidget(cbarMain);
}

void TListForm::buildSearchPanel(const std::vector<TSearchTerm>& terms) {
    GroupBox2 = new QGroupBox(QStringLiteral("Поиск"), this);
    GroupBox2->setObjectName(QStringLiteral("GroupBox2"));
    if (FSearchAbove)
        new QHBoxLayout(GroupBox2);
    else {
        GroupBox2->setFixedWidth(SearchPanelWidth);
        new QVBoxLayout(GroupBox2);
    }
    auto* btnSearch = new QPushButton(QStringLiteral("Найти"), GroupBox2);
    btnSearch->setObjectName(QStringLiteral("btnSearch"));
    auto* btnSearchCancel = new QPushButton(QStringLiteral("Сброс"), GroupBox2);
    btnSearchCancel->setObjectName(QStringLiteral("btnSearchCancel"));
    connect(btnSearch, &QPushButton::clicked, this, showingErrors(this, &TListForm::btnSearchClick));
    connect(btnSearchCancel, &QPushButton::clicked, this,
            showingErrors(this, &TListForm::btnSearchCancelClick));
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(btnSearch);
    buttons->addWidget(btnSearchCancel);
    static_cast<QBoxLayout*>(GroupBox2->layout())->addLayout(buttons);
    int at = 0;
    for (const TSearchTerm& term : terms) {
        auto* box = new QLineEdit(GroupBox2);
        box->setObjectName(QString::fromLatin1(term.Box));
        auto* label = new QLabel(term.Label, GroupBox2);
        label->setVisible(term.Visible);
        box->setVisible(term.Visible);
        if (term.DigitsOnly)
            new TKeyPressFilter(box, [](QChar& Key) { Key = TLetterFilter::NumberOnly(Key); });
        insertSearchField(at++, label, box);
        FSearchBoxes.insert(box->objectName(), box);
    }
}

// Down the left each field is its label above its control; across the top the
// fields stand side by side, each with its label above it.
void TListForm::insertSearchField(int at, QLabel* caption, QWidget* control) {
    caption->setBuddy(control);
    auto* panel = static_cast<QBoxLayout*>(GroupBox2->layout());
    if (!FSearchAbove) {
        panel->insertWidget(at * 2, caption);
        panel->insertWidget(at * 2 + 1, control);
        return;
    }
    auto* field = new QVBoxLayout;
    field->addWidget(caption);
    field->addWidget(control);
    field->addStretch();
    panel->insertLayout(at, field);
}

void TListForm::addSearchControl(const QString& label, QWidget* control) {
    // After the fields so far, before the two buttons.
    auto* panel = static_cast<QBoxLayout*>(GroupBox2->layout());
    const int fields = FSearchAbove ? panel->count() - 1 : (panel->count() - 1) / 2;
    insertSearchField(fields, new QLabel(label, GroupBox2), control);
}

void TListForm::buildGrid(const TListWindow& window, TDataSource* dataSource) {
    FGrid = new TDBGrid(this);
    FGrid->setObjectName(QString::fromLatin1(window.GridName));
    // Before the grid has rows: the current record is selected as soon as it has.
    if (!window.RowSelect)
        FGrid->setSelectionBehavior(QAbstractItemView::SelectItems);
    FGrid->SetDataSource(dataSource);
    FGrid->SetColumns(window.Columns);
    fitColumnsToTitles();
    FGrid->viewport()->setCursor(Qt::PointingHandCursor);
    connect(FGrid, &TDBGrid::doubleClicked, this, showingErrors([this] {
                if (FHasEdit)
                    mnuEditClick();
            }));
}

// A column keeps the width it was given unless that would cut its title in
// the program's font and style; then it is as wide as the title needs.
void TListForm::fitColumnsToTitles() {
    std::vector<TGridColumn> columns = FGrid->Columns();
    for (int i = 0; i < int(columns.size()); ++i) {
        TGridColumn& column = columns[size_t(i)];
        column.Width = std::max(FGrid->columnWidth(i), FGrid->TitleWidth(i));
    }
    FGrid->SetColumns(std::move(columns));
}

// Wide enough to show every column where the screen allows it.
void TListForm::fitWidthToGrid() {
    const int panel = GroupBox2 && !FSearchAbove ? SearchPanelWidth : 0;
    const int grid = FGrid->horizontalHeader()->length() + FGrid->verticalHeader()->sizeHint().width() +
                     FGrid->verticalScrollBar()->sizeHint().width() + 2 * FGrid->frameWidth();
    const QMargins margins = layout()->contentsMargins();
    const int wanted = panel + layout()->spacing() + grid + margins.left() + margins.right();
    const int available = screen()->availableGeometry().width() - 40;
    resize(std::clamp(wanted, MinimumWidth, available), 560);
}

QAction* TListForm::addMenuItem(QMenu* menu, const char* name, const QString& caption,
                                void (TListForm::*handler)()) {
    QAction* item = menu->addAction(caption);
    item->setObjectName(QString::fromLatin1(name));
    connect(item, &QAction::triggered, this, showingErrors(this, handler));
    return item;
}

void TListForm::buildMenu(const TListWindow& window) {
    if (!window.EntityMenu.isEmpty()) {
        QMenu* mnuNodes = MainMenu->addMenu(window.EntityMenu);
        mnuNodes->setObjectName(QStringLiteral("mnuNodes"));
        addMenuItem(mnuNodes, "mnuAdd", QStringLiteral("Добавить"), &TListForm::mnuAddClick);
        if (window.HasEdit)
            addMenuItem(mnuNodes, "mnuEdit", QStringLiteral("Редактировать"), &TListForm::mnuEditClick);
        addMenuItem(mnuNodes, "mnuDel", QStringLiteral("Удалить"), &TListForm::mnuDelClick);
        FHasEdit = FHasEdit || window.HasEdit;
    }
    if (!window.Sorts.empty())
        buildSortMenu(window.Sorts);
    if (window.HasReport) {
        QAction* mnuReport = MainMenu->addAction(QStringLiteral("Отчет"));
        mnuReport->setObjectName(QStringLiteral("mnuReport"));
        connect(mnuReport, &QAction::triggered, this, showingErrors(this, &TListForm::mnuReportClick));
    }
    QAction* mnuClose = MainMenu->addAction(QStringLiteral("Закрыть"));
    mnuClose->setObjectName(QStringLiteral("mnuClose"));
    connect(mnuClose, &QAction::triggered, this, &TListForm::mnuCloseClick);
}

void TListForm::buildSortMenu(const std::vector<TSortItem>& sorts) {
    QMenu* mnuSort = MainMenu->addMenu(QStringLiteral("Сортировка"));
    mnuSort->setObjectName(QStringLiteral("mnuSort"));
    for (const TSortItem& sort : sorts) {
        QAction* item = mnuSort->addAction(sort.Caption);
        item->setObjectName(QString::fromLatin1(sort.Name));
        // The hint names the field, so one handler serves every item.
        item->setToolTip(sort.Field);
        connect(item, &QAction::triggered, this, showingErrors([this, item] { mnuFieldSortClick(item); }));
    }
    QMenu* mnuOrders = mnuSort->addMenu(QStringLiteral("Порядок сортировки"));
    mnuOrders->setObjectName(QStringLiteral("mnuOrders"));
    mnuOrderAsc =
        addMenuItem(mnuOrders, "mnuOrderAsc", QStringLiteral("По возрастанию"), &TListForm::mnuOrderAscClick);
    mnuOrderDesc =
        addMenuItem(mnuOrders, "mnuOrderDesc", QStringLiteral("По убыванию"), &TListForm::mnuOrderDescClick);
    mnuOrderAsc->setCheckable(true);
    mnuOrderDesc->setCheckable(true);
    mnuOrderAsc->setChecked(true);
}

void TListForm::search() {
    FCrud->filter.Stop();
    addSearchTerms();
    FCrud->filter.Exec();
}

void TListForm::addSearchTerms() {
    for (const TSearchTerm& term : FSearch) {
        const QString value = searchBox(term.Box)->text();
        if (term.Kind == TSearchTerm::Equals)
            FCrud->filter.AddParamsQuery(value, term.Field, QStringLiteral("="));
        else
            FCrud->filter.AddParamLike(value, term.Field);
    }
}

void TListForm::clearSearch() {
    for (QLineEdit* box : std::as_const(FSearchBoxes))
        box->clear();
}

// With every box empty the search adds no term, so it only switches the filter off.
void TListForm::btnSearchCancelClick() {
    clearSearch();
    search();
}

void TListForm::mnuFieldSortClick(const QAction* item) {
    currSort = item->toolTip();
    sortExec();
}

void TListForm::mnuOrderAscClick() {
    orderBy = QStringLiteral(" ASC");
    mnuOrderAsc->setChecked(true);
    mnuOrderDesc->setChecked(false);
    if (!currSort.isEmpty())
        sortExec();
}

void TListForm::mnuOrderDescClick() {
    orderBy = QStringLiteral(" DESC");
    mnuOrderDesc->setChecked(true);
    mnuOrderAsc->setChecked(false);
    if (!currSort.isEmpty())
        sortExec();
}

void TListForm::sortExec() {
    tbl->SetSort(currSort + orderBy);
}

void TListForm::mnuAddClick() {
    FCrud->add();
    FFormEdit->ShowModal();
}

void TListForm::mnuEditClick() {
    FCrud->edit();
    FFormEdit->ShowModal();
}

void TListForm::mnuDelClick() {
    FCrud->Delete();
}

void TListForm::mnuReportClick() {
    if (FCrud->IsSelectedRecord() && FFormReport)
        FFormReport->ShowModal();
}
