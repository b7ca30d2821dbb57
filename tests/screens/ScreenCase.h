#pragma once

#include "ScreensFixture.h"
#include "screens/ListForm.h"

#include <QList>
#include <QString>
#include <functional>
#include <memory>
#include <ostream>
#include <vector>

// One box of an edit window and what the user puts into it: typed text, or the
// shown text of a row chosen in a lookup box (names starting with "cb"). An
// empty text leaves the box untouched.
struct TFill {
    QString Box;
    QString Text;
};

// One list window with its edit window, as the shared tests drive it.
struct TScreenCase {
    const char* Name;
    std::function<std::unique_ptr<TListForm>(ScreensFixture&)> Create;
    std::function<TDataSet*(ScreensFixture&)> DataSet;
    QString Table;
    QString EditWindow;
    QString SaveButton;
    // A record that passes the form check; the first box is stored in KeyField.
    QList<TFill> Valid;
    QString KeyField;
    // The message of the first box checked when it is left empty.
    QString FirstCheck{};
    // A sort item and its field; none for a window without sorting.
    QString SortItem{};
    QString SortField{};
    // A search box that takes any text; none for a window without search.
    QString SearchBox{};
    // The data module fills defaults into a new record, so closing an untouched
    // new record still asks whether to save it.
    bool ModifiedOnAdd = false;
    // The control that has the focus whenever the edit window opens; none for
    // the windows whose tab order starts with a chooser.
    QString FirstFocus{};
};

inline std::ostream& operator<<(std::ostream& out, const TScreenCase& screen) {
    return out << screen.Name;
}

// A form check: the valid record with some boxes replaced, and the messages the
// user then sees, in order (none: the record is stored).
struct TCheckCase {
    TScreenCase Screen;
    const char* Name;
    QList<TFill> Changes;
    QStringList Expected;
};

inline std::ostream& operator<<(std::ostream& out, const TCheckCase& check) {
    return out << check.Screen.Name << ": " << check.Name;
}

inline std::vector<TCheckCase> checksOf(const TScreenCase& screen, std::vector<TCheckCase> checks) {
    for (TCheckCase& check : checks)
        check.Screen = screen;
    return checks;
}

// Fills the boxes of the valid record, each replaced by its change if any.
void fill(QWidget& window, const QList<TFill>& valid, const QList<TFill>& changes = {});

// The gtest name of a case: its name without the characters gtest refuses.
std::string caseName(const char* name);

// The shared behaviour of every list window and its edit window.
class ListPattern : public ScreensFixture, public ::testing::WithParamInterface<TScreenCase> {
public:
    void SetUp() override;
    void TearDown() override { list.reset(); }

    const TScreenCase& screen() const { return GetParam(); }
    QString lastStored(const QString& field);

    std::unique_ptr<TListForm> list;
    TDataSet* ds = nullptr;
};

// The form checks of one edit window, case by case.
class FormCheck : public ScreensFixture, public ::testing::WithParamInterface<TCheckCase> {};

TScreenCase employeesScreen();
TScreenCase routesScreen();
TScreenCase clientsScreen();
TScreenCase ticketTypesScreen();
TScreenCase airlinersScreen();
