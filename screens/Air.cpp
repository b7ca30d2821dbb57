#include "screens/Air.h"

#include "data/AirDm.h"
#include "data/DataSet.h"
#include "data/SotrudnikDm.h"
#include "framework/CrudController.h"
#include "screens/AirEdit.h"
#include "ui/DBLookupComboBox.h"

TfrmAir* frmAir = nullptr;

namespace {

const Qt::Alignment Centred = Qt::AlignCenter;

TListWindow listWindow() {
    return {
        .Name = "frmAir",
        .Caption = QStringLiteral("Авиалайнеры"),
        .EntityMenu = QStringLiteral("Авиалайнеры"),
        .Tools = {"tbtnAdd", "tbtnEdit", "tbtnDel", "ToolButton2", "tbtnClose"},
        .Search = {{"editKod", QStringLiteral("№ самолета:"), QStringLiteral("id"), TSearchTerm::Equals,
                    true},
                   {"editBortNum", QStringLiteral("Бортовой номер:"), QStringLiteral("bortNum")},
                   {"editModel", QStringLiteral("Модель:"), QStringLiteral("model")}},
        .Columns = {{QStringLiteral("id"), QStringLiteral("№ самолета"), 69},
                    {QStringLiteral("bortNum"), QStringLiteral("Бортовой №"), 109},
                    {QStringLiteral("model"), QStringLiteral("Модель"), 125},
                    {QStringLiteral("sotrudnik.c_fio"), QStringLiteral("Командир"), 187},
                    {QStringLiteral("date_create"), QStringLiteral("Ввод в экспл."), 104, Centred},
                    {QStringLiteral("lifetime"), QStringLiteral("Срок экспл., лет"), -1, Centred},
                    {QStringLiteral("isActive"), QStringLiteral("Готовность"), -1, Centred},
                    {QStringLiteral("seats"), QStringLiteral("Кол-во мест"), 73, Centred}},
        .Sorts = {{"mnuFieldSort", QStringLiteral("№ лайнера"), QStringLiteral("id")},
                  {"mnuNames", QStringLiteral("Бортовой номер"), QStringLiteral("bortNum")},
                  {"mnuSortModel", QStringLiteral("Модель"), QStringLiteral("model")},
                  {"mnuSortDateCreate", QStringLiteral("Ввод в эксплуатацию"), QStringLiteral("date_create")},
                  {"mnuLifetime", QStringLiteral("Срок эксплуатации, лет"), QStringLiteral("lifetime")}},
        .SearchOnCreate = false,
    };
}

} // namespace

TfrmAir::TfrmAir(TdmAir* module, TdmSotrudnik* sotrudnik, QWidget* owner)
    : TListForm(listWindow(), module->tbl, module->ds, owner), FModule(module), FSotrudnik(sotrudnik),
      cbSotrudnik(new TDBLookupComboBox(this)) {
    cbSotrudnik->setObjectName(QStringLiteral("cbSotrudnik"));
    cbSotrudnik->SetListSource(sotrudnik->ds);
    cbSotrudnik->SetKeyField(QStringLiteral("id"));
    cbSotrudnik->SetListField(QStringLiteral("c_fio"));
    addSearchControl(QStringLiteral("Командир:"), cbSotrudnik);
}

TEditForm* TfrmAir::createEditForm() {
    return new TfrmAirEdit(this, FCrud.get(), FModule->ds, FSotrudnik->ds);
}

// A chosen commander stays in the box, and in every later search, until reset.
void TfrmAir::addSearchTerms() {
    TListForm::addSearchTerms();
    const QVariant commander = cbSotrudnik->KeyValue();
    if (!commander.isNull())
        FCrud->filter.AddParamsQuery(QString::number(commander.toInt()), QStringLiteral("sotrudnik_id"),
                                     QStringLiteral("="));
}

void TfrmAir::clearSearch() {
    TListForm::clearSearch();
    if (!cbSotrudnik->KeyValue().isNull())
        cbSotrudnik->SetKeyValue(QVariant());
}
