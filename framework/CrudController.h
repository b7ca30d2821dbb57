#pragma once

#include "framework/AdoDbHelper.h"
#include "framework/FilterController.h"

#include <QString>

class TDataSet;

// The one road by which a list window and its edit window change the list's
// dataset: every change passes the guards first, so a refused one leaves the
// dataset as it was. The list window builds its search through `filter`.
class TCrudController {
public:
    explicit TCrudController(TDataSet* table);

    void add();
    void edit();
    // Asks "Вы действительно хотите удалить?" first; only Yes deletes.
    // Capitalised because `delete` is a word of the language.
    void Delete();
    void post();
    void cancel();
    void refresh();
    bool isModified() const;
    // False, after telling the user "Нужно выбрать запись", when no record is current.
    bool IsSelectedRecord();
    void ClearFieldValue(const QString& fieldName);
    TDataSet* getInstenceTable() const { return tbl; }

    TFilterController filter;

private:
    TDataSet* tbl;
    TAdoDbHelper dbHelper;
};
