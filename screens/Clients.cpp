#include "screens/Clients.h"

#include "data/ClientsDm.h"
#include "data/DataSet.h"
#include "screens/ClientsEdit.h"

TfrmClients* frmClients = nullptr;

namespace {

const Qt::Alignment Centred = Qt::AlignCenter;

TListWindow listWindow() {
    return {
        .Name = "frmClients",
        .Caption = QStringLiteral("Клиенты"),
        .EntityMenu = QStringLiteral("Клиент"),
        .Tools = {"tbtnAdd", "tbtnEdit", "tbtnDel", "ToolButton4", "tbtnClose"},
        .Search = {{"editKod", QStringLiteral("Уник.№:"), QStringLiteral("id"), TSearchTerm::Equals, true,
                    false},
                   {"editFam", QStringLiteral("Фамилия:"), QStringLiteral("fam")},
                   {"editNames", QStringLiteral("Имя:"), QStringLiteral("names")},
                   {"editSubname", QStringLiteral("Отчество:"), QStringLiteral("subname")},
                   {"editSeria", QStringLiteral("Серия паспорта:"), QStringLiteral("passport_seria")},
                   {"editNumber", QStringLiteral("№ паспорта:"), QStringLiteral("passport_num")}},
        .Columns = {{QStringLiteral("id"), QStringLiteral("ID"), -1, Centred},
                    {QStringLiteral("fam"), QStringLiteral("Фамилия"), 103},
                    {QStringLiteral("names"), QStringLiteral("Имя"), 106},
                    {QStringLiteral("subname"), QStringLiteral("Отчество"), 96},
                    {QStringLiteral("phones"), QStringLiteral("Телефон"), 122},
                    {QStringLiteral("addr"), QStringLiteral("Адрес"), 180},
                    {QStringLiteral("passport_seria"), QStringLiteral("Серия паспорта"), 103, Centred},
                    {QStringLiteral("passport_num"), QStringLiteral("№ паспорта"), 88, Centred}},
        .Sorts = {{"mnuSortId", QStringLiteral("Уник №"), QStringLiteral("id")},
                  {"mnuSortFio", QStringLiteral("Фамилия"), QStringLiteral("fam")},
                  {"N1", QStringLiteral("Имя"), QStringLiteral("names")},
                  {"N2", QStringLiteral("Отчество"), QStringLiteral("subname")},
                  {"mnuSortSeria", QStringLiteral("Серия паспорта"), QStringLiteral("passport_seria")},
                  {"mnuSortNum", QStringLiteral("№ паспорта"), QStringLiteral("passport_num")}},
    };
}

} // namespace

TfrmClients::TfrmClients(TdmClients* module, QWidget* owner)
    : TListForm(listWindow(), module->tbl, module->ds, owner), FModule(module) {}

TEditForm* TfrmClients::createEditForm() {
    return new TfrmClientsEdit(this, FCrud.get(), FModule->ds);
}
