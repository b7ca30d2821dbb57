#include "screens/PersonEdit.h"

#include "framework/KeyPressFilter.h"
#include "framework/LetterFilter.h"
#include "ui/DBEdit.h"

#include <QGridLayout>
#include <QTabWidget>

TPersonEditForm::TPersonEditForm(QWidget* AOwner, TCrudController* crud, TDataSource* dataSource,
                                 const QString& name, const QString& caption)
    : TEditForm(AOwner, crud, name, caption), pageSotrudnik(new QTabWidget(fieldsArea())),
      tabGeneral(new QWidget(pageSotrudnik)), FDataSource(dataSource) {
    pageSotrudnik->setObjectName(QStringLiteral("pageSotrudnik"));
    tabGeneral->setObjectName(QStringLiteral("tabGeneral"));
    pageSotrudnik->addTab(tabGeneral, QStringLiteral("Общее"));
    addControl(fieldsArea(), pageSotrudnik, QString(), 0);
}

TDBEdit* TPersonEditForm::addBox(const char* name, const QString& label, const QString& field, int row,
                                 int column) {
    TDBEdit* box = TEditForm::addBox(tabGeneral, name, label, FDataSource, field, row, column);
    box->setMinimumWidth(320);
    return box;
}

void TPersonEditForm::addNameBoxes() {
    editFam = addBox("editFam", QStringLiteral("Фамилия:"), QStringLiteral("fam"), 0);
    editNames = addBox("editNames", QStringLiteral("Имя:"), QStringLiteral("names"), 1);
    editSubname = addBox("editSubname", QStringLiteral("Отчество:"), QStringLiteral("subname"), 2);
    // The window opens with the caret in the surname, whatever was focused last
    // time; left to itself the focus would go to the page's tab.
    setTabOrderChain({editFam, editNames, editSubname});
}

void TPersonEditForm::addAddressBox(int row, int column) {
    editEmail = addBox("editEmail", QStringLiteral("Адрес:"), QStringLiteral("addr"), row, column);
}

void TPersonEditForm::addPhoneBox(int row, int column) {
    editPhones = addBox("editPhones", QStringLiteral("Телефон:"), QStringLiteral("phones"), row, column);
    new TKeyPressFilter(editPhones, [this](QChar& Key) { editPhonesKeyPress(Key); });
}

void TPersonEditForm::editPhonesKeyPress(QChar& Key) {
    Key = TLetterFilter::Phonenumber(editPhones->text(), Key);
}

void TPersonEditForm::FormShow() {
    pageSotrudnik->setCurrentIndex(0);
}

void TPersonEditForm::checkForm() {
    requireText(editFam, QStringLiteral("Введите фамилию"));
    requireText(editNames, QStringLiteral("Введите имя"));
    requireText(editSubname, QStringLiteral("Введите отчество"));
}
