#include "AllScreensFixture.h"

#include <QLineEdit>

// Every text search box finds the text as typed: "_", "%", "\" and "'" stand
// for themselves, so each search keeps exactly the rows that contain it.
struct TSearchBox {
    const char* Screen;
    const char* Box;
    const char* Column;
};

std::ostream& operator<<(std::ostream& out, const TSearchBox& c) {
    return out << c.Screen << " " << c.Box;
}

class LiteralSearch : public AllScreensFixture, public ::testing::WithParamInterface<TSearchBox> {};

TEST_P(LiteralSearch, KeepsExactlyTheRowsContainingTheText) {
    const TSearchBox& c = GetParam();
    const TScreenCase screen = screenCase(QString::fromLatin1(c.Screen));
    db.Exec({QStringLiteral("INSERT INTO %1 (id, %2) VALUES (101, 'a_b'), (102, 'a%b'), (103, 'a\\b'), "
                            "(104, 'a''b'), (105, 'ab')")
                 .arg(screen.Table, QString::fromLatin1(c.Column))});
    TDataSet* ds = screen.DataSet(*this);
    ds->Close();
    ds->Open();
    open(screen);
    const struct {
        QString Typed;
        QStringList Ids;
    } searches[] = {{QStringLiteral("_"), {"101"}},
                    {QStringLiteral("%"), {"102"}},
                    {QStringLiteral("\\"), {"103"}},
                    {QStringLiteral("'"), {"104"}},
                    {QStringLiteral("a_"), {"101"}}};
    for (const auto& search : searches) {
        SCOPED_TRACE(search.Typed.toStdString());
        type(*list, QString::fromLatin1(c.Box), search.Typed);
        click(*list, QStringLiteral("btnSearch"));
        EXPECT_EQ(column(ds, QStringLiteral("id")), search.Ids);
    }
    EXPECT_EQ(shown(), QStringList());
}

INSTANTIATE_TEST_SUITE_P(Boxes, LiteralSearch,
                         ::testing::Values(TSearchBox{"employees", "editFam", "fam"},
                                           TSearchBox{"employees", "editNames", "names"},
                                           TSearchBox{"employees", "editSubname", "subname"},
                                           TSearchBox{"routes", "editAirStart", "airStart"},
                                           TSearchBox{"routes", "editAirTarget", "airTarget"},
                                           TSearchBox{"clients", "editFam", "fam"},
                                           TSearchBox{"clients", "editNames", "names"},
                                           TSearchBox{"clients", "editSubname", "subname"},
                                           TSearchBox{"clients", "editSeria", "passport_seria"},
                                           TSearchBox{"clients", "editNumber", "passport_num"},
                                           TSearchBox{"airliners", "editBortNum", "bortNum"},
                                           TSearchBox{"airliners", "editModel", "model"}),
                         [](const auto& info) { return std::to_string(info.index); });
