#pragma once

#include "ui/DataSetTableModel.h"
#include "ui/Form.h"

#include <QHash>
#include <memory>
#include <vector>

class QAction;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QMenuBar;
class QToolBar;
class TCrudController;
class TDBGrid;
class TDataSet;
class TDataSource;
class TEditForm;

// One search box of a list window's search panel, in the order the terms are
// added: the box's text must equal the field ("=") or be contained in it.
struct TSearchTerm {
    enum TKind { Equals, Contains };
    const char* Box;
    QString Label;
    QString Field;
    TKind Kind = Contains;
    bool DigitsOnly = false; // the number box takes digits only
    bool Visible = true;
};

// One item of the sort menu: its hint is the field it sorts by.
struct TSortItem {
    const char* Name;
    QString Caption;
    QString Field;
};

// What makes one list window different from another. Tool bar items are named:
// "tbtnAdd", "tbtnEdit", "tbtnDel", "tbtnReport" or "tbtnPrint", "tbtnClose"
// are buttons acting as the menu items of the same command; any other name is
// a separator.
struct TListWindow {
    const char* Name;                   // the window's object name, "frmRoute"
    QString Caption;                    // "Маршруты"
    QString EntityMenu{};               // "Маршрут"; empty: no add/edit/delete menu
    std::vector<const char*> Tools{};   // tool bar, left to right
    std::vector<TSearchTerm> Search{};  // empty: no search panel
    std::vector<TGridColumn> Columns{}; // grid columns, left to right
    std::vector<TSortItem> Sorts{};     // empty: no sort menu
    bool HasReport = false;             // the top-level "Отчет" menu item
    // Makes the report launch window, owned by the list window; none without a report.
    TForm* (*CreateReportForm)(QWidget* owner, TCrudController* crud) = nullptr;
    bool SearchOnCreate = true; // run the (empty) search once at creation
    bool SearchAbove = false;   // the search panel runs across above the grid, not down its left
    const char* GridName = "gridAuto";
    bool RowSelect = true; // whole rows, or one cell at a time
    bool HasEdit = true; // the entity menu offers "Редактировать" (a stored sale is never edited)
};

// The list window of an entity: a tool bar with the icons of the icon
// container, a search panel on the left, the grid of the entity's dataset, and
// a menu with the commands and the sort items. Every change goes through the
// window's own TCrudController; adding and editing show the window's edit
// window modally, and double-clicking a row edits it where the window has an
// edit command.
//
// A screen is a subclass whose constructor passes a TListWindow (the data
// above) and the entity's data module pieces, and which overrides
// createEditForm to build its edit window over FCrud. Where a screen searches
// by more than its text boxes it overrides addSearchTerms and clearSearch
// (calling the base first) and puts its extra controls into the panel with
// addSearchControl. A screen with a report names how its launch window is
// made; FormCreate makes it and keeps it in FFormReport, and "Отчет" shows it
// while a record is current.
//
// The window's search and sort live as long as the window, which is hidden,
// not destroyed, so they survive between showings.
class TListForm : public TForm {
    Q_OBJECT
public:
    TListForm(const TListWindow& window, TDataSet* table, TDataSource* dataSource, QWidget* owner = nullptr);
    ~TListForm() override;

    void search();
    void btnSearchClick() { search(); }
    void btnSearchCancelClick();
    void mnuFieldSortClick(const QAction* item);
    void mnuOrderAscClick();
    void mnuOrderDescClick();
    void sortExec();
    void mnuAddClick();
    void mnuEditClick();
    void mnuDelClick();
    void mnuReportClick();
    void mnuCloseClick() { close(); }

protected:
    void FormCreate() override;
    virtual TEditForm* createEditForm() = 0;
    // Adds the terms of the search boxes to FCrud->filter, in their order.
    virtual void addSearchTerms();
    // Empties the search boxes.
    virtual void clearSearch();

    QLineEdit* searchBox(const char* name) const { return FSearchBoxes.value(QString::fromLatin1(name)); }
    void addSearchControl(const QString& label, QWidget* control);

    TDataSet* tbl;
    std::unique_ptr<TCrudController> FCrud;
    TEditForm* FFormEdit = nullptr;
    TForm* FFormReport = nullptr;
    QString orderBy;
    QString currSort;

private:
    void buildToolBar(const std::vector<const char*>& tools);
    void buildSearchPanel(const std::vector<TSearchTerm>& terms);
    void insertSearchField(int at, QLabel* caption, QWidget* control);
    void buildGrid(const TListWindow& window, TDataSource* dataSource);
    void buildMenu(const TListWindow& window);
    void buildSortMenu(const std::vector<TSortItem>& sorts);
    void fitColumnsToTitles();
    void fitWidthToGrid();
    QAction* addMenuItem(QMenu* menu, const char* name, const QString& caption, void (TListForm::*handler)());

    std::vector<TSearchTerm> FSearch;
    bool FSearchOnCreate;
    bool FSearchAbove;
    TForm* (*FCreateReportForm)(QWidget*, TCrudController*);
    QHash<QString, QLineEdit*> FSearchBoxes;
    QMenuBar* MainMenu;
    QToolBar* ToolBar1 = nullptr;
    QGroupBox* GroupBox2 = nullptr;
    TDBGrid* FGrid = nullptr;
    QAction* mnuOrderAsc = nullptr;
    QAction* mnuOrderDesc = nullptr;
    bool FHasEdit = false;
};
