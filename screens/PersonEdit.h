#pragma once

#include "screens/EditForm.h"

class QTabWidget;

// The edit window of a person, employee or client: one page "Общее" whose
// boxes the subclass adds in its tab order, the three names required in turn,
// and the telephone box that takes digits and a leading "+".
class TPersonEditForm : public TEditForm {
    Q_OBJECT
public:
    TPersonEditForm(QWidget* AOwner, TCrudController* crud, TDataSource* dataSource, const QString& name,
                    const QString& caption);

    void editPhonesKeyPress(QChar& Key);

protected:
    void FormShow() override;
    // The surname, first name and patronymic, in that order.
    void checkForm() override;

    // A box on the page, in the next row of the given column.
    TDBEdit* addBox(const char* name, const QString& label, const QString& field, int row, int column = 0);
    void addNameBoxes();
    void addAddressBox(int row, int column);
    void addPhoneBox(int row, int column);

    QTabWidget* pageSotrudnik;
    QWidget* tabGeneral;
    TDataSource* FDataSource;
    TDBEdit* editFam = nullptr;
    TDBEdit* editNames = nullptr;
    TDBEdit* editSubname = nullptr;
    TDBEdit* editEmail = nullptr;
    TDBEdit* editPhones = nullptr;
};
