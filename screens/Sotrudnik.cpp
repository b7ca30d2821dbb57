#include "screens/Sotrudnik.h"

#include "data/DataSet.h"
#include "data/SotrudnikDm.h"
#include "screens/SotrudnikEdit.h"

TfrmSotrudnik* frmSotrudnik = nullptr;

namespace {

const Qt::Alignment Centred = Qt::AlignCenter;

TListWindow listWindow() {
    return {
        .Name = "frmSotrudnik",
        .Caption = QStringLiteral("Сотрудники"),
        .EntityMenu = QStringLiteral("Сотрудник"),
        .Tools = {"tbtnAdd", "tbtnEdit", "tbtnDel", "ToolButton4", "tbtnClose"},
        // Employees are never looked up by number, so that box stays hidden.
        .Search = {{"editKod", QStringLiteral("Уник.№:"), QStringLiteral("id"), TSearchTerm::Equals, true,
                    false},
                   {"editFam", QStringLiteral("Фамилия:"), QStringLiteral("fam")},
                   {"editNames", QStringLiteral("Имя:"), QStringLiteral("names")},
                   {"editSubname", QStringLiteral("Отчество:"), QStringLiteral("subname")}},
        .Columns = {{QStringLiteral("id"), QStringLiteral("ID"), -1, Centred},
                    {QStringLiteral("fam"), QStringLiteral("Фамилия"), 103},
                    {QStringLiteral("names"), QStringLiteral("Имя"), 106},
                    {QStringLiteral("subname"), QStringLiteral("Отчество"), 96},
                    {QStringLiteral("phones"), QStringLiteral("Телефон"), 122},
                    {QStringLiteral("stage"), QStringLiteral("Стаж, лет"), 78, Centred},
                    {QStringLiteral("addr"), QStringLiteral("Адрес"), 350}},
        .Sorts = {{"mnuSortId", QStringLiteral("Уник №"), QStringLiteral("id")},
                  {"mnuSortFio", QStringLiteral("Фамилия"), QStringLiteral("fam")},
                  {"N1", QStringLiteral("Имя"), QStringLiteral("names")},
                  {"N2", QStringLiteral("Отчество"), QStringLiteral("subname")}},
    };
}

} // namespace

TfrmSotrudnik::TfrmSotrudnik(TdmSotrudnik* module, QWidget* owner)
    : TListForm(listWindow(), module->tbl, module->ds, owner), FModule(module) {}

TEditForm* TfrmSotrudnik::createEditForm() {
    return new TfrmSotrudnikEdit(this, FCrud.get(), FModule->ds);
}
