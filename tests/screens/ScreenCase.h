#pragma once

#include "screens/ListForm.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <ostream>
#include <vector>

class AllScreensFixture;
class TDataSet;

// One box of an edit window and what the user puts into it. A typed box takes
// the text typed over whatever it holds (an empty text empties it). A lookup
// box (names starting with "cb") takes the row whose shown text starts with the
// text, so that a long text can be named by its beginning; an empty text leaves
// the lookup box as it is.
struct TFill {
    QString Box;
    QString Text;
};

// One list window with its edit window, as the shared tests drive it.
struct TScreenCase {
    const char* Name;
    std::function<std::unique_ptr<TListForm>(AllScreensFixture&)> Create;
    std::function<TDataSet*(AllScreensFixture&)> DataSet;
    QString Table;
    QString EditWindow;
    QString SaveButton;
    QString CloseButton = QStringLiteral("btnClose");
    // A record that passes the form check; the first box is stored in KeyField.
    QList<TFill> Valid;
    QString KeyField;
    // What KeyField then holds, where it is not the text of the first box: the
    // id of the row a lookup box chose.
    QString KeyValue{};
    // The message of the first box checked when it is left empty.
    QString FirstCheck{};
    // A sort item and its field; none for a window without sorting.
    QString SortItem{};
    QString SortField{};
    // A search box and a text it takes that no record matches; none for a
    // window without search.
    QString SearchBox{};
    QString SearchText = QStringLiteral("нет такого");
    // The data module fills defaults into a new record, so closing an untouched
    // new record still asks whether to save it.
    bool ModifiedOnAdd = false;
    // The control that has the focus whenever the edit window opens; none for
    // the windows whose tab order starts with a chooser.
    QString FirstFocus{};
    // A stored record is never edited: the list offers no edit command.
    bool Editable = true;
    // The valid record as the table then holds it, as one text: an SQL
    // expression over its columns and the text it gives. None where the key
    // field says enough.
    QString StoredAs{};
    QString StoredText{};

    QString keyValue() const { return KeyValue.isEmpty() ? Valid[0].Text : KeyValue; }
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

TScreenCase employeesScreen();
TScreenCase routesScreen();
TScreenCase clientsScreen();
TScreenCase ticketTypesScreen();
TScreenCase airlinersScreen();
TScreenCase flightsScreen();
TScreenCase salesScreen();
// The case of that name: "employees", "routes", "clients", "ticket types",
// "airliners", "flights", "sales".
TScreenCase screenCase(const QString& name);
