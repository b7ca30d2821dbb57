#pragma once

#include <QString>

class QPushButton;
class QWidget;
class TDBLookupComboBox;
class TDataSource;
class TForm;

// The lookup choosers of the flights and sales windows: a list of another
// entity's dataset keyed by `id`, either bound to a key field of the record
// being edited or, in a search panel, a free-standing picker.
struct TChooser {
    // A chooser listing `listField` of the rows `list` shows; bound to `field`
    // of `dataSource` when one is given.
    static TDBLookupComboBox* create(QWidget* parent, const char* name, TDataSource* list,
                                     const QString& listField, TDataSource* dataSource = nullptr,
                                     const QString& field = QString());
    // The chosen key as decimal text, empty with no choice.
    static QString keyText(const TDBLookupComboBox* chooser);
    // Clears the choice where there is one.
    static void clear(TDBLookupComboBox* chooser);
    // A "Найти" button that shows `listWindow` modally over the window, so the
    // user may search, add or change rows there; the chooser beside it lists
    // the same dataset and so follows what was done.
    static QPushButton* findButton(QWidget* parent, const char* name, TForm* listWindow);
};
