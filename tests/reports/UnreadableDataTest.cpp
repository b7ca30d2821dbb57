#include "reports/UnreadableData.h"
#include "report_engine/model/Report.h"
#include "report_engine/prepared/PreviewPages.h"
#include "reports/ProgramDataSource.h"
#include "reports/ReportScreen.h"
#include "reports/ReportTemplates.h"
#include "tests/support/DataModulesFixture.h"
#include "tests/support/TestDialogService.h"

#include <QSqlQuery>
#include <map>
#include <set>

namespace {

// The tables each report reads: its own, and those of the values it looks up,
// directly or through another module's lookups.
const std::map<QString, std::set<QString>> ReadBy = {
    {"routes", {"tblRoute"}},
    {"flights", {"tblFlight", "tblRoute", "tblAir", "tblSotrudnik"}},
    {"orders", {"tblOrders", "tblFlight", "tblClients", "tblCard", "tblRoute", "tblAir", "tblSotrudnik"}},
};

struct TDamage {
    QString Table;
    QStringList Statements;
    QString Missing; // what every report that reads the table must name
};

class UnreadableData : public DataModulesFixture {
protected:
    std::map<QString, TDataSet*> reports() const {
        return {{"routes", route->tbl}, {"flights", flight->tbl}, {"orders", orders->tbl}};
    }
    void dropModules() { modules.reset(); }
    QStringList names(const QString& sql) {
        QSqlQuery query(db.connection().Database());
        EXPECT_TRUE(query.exec(sql)) << sql.toStdString();
        QStringList found;
        while (query.next())
            found << query.value(0).toString();
        return found;
    }

    // Every table dropped in turn, every column but the key dropped in turn
    // (with the view and the indexes that would keep it), the view dropped, and
    // a value the program cannot take.
    std::vector<TDamage> damages() {
        std::vector<TDamage> all;
        const QString dropView = QStringLiteral("DROP VIEW leavings");
        for (const QString& table : ReadBy.at("orders")) {
            all.push_back({table,
                           {dropView, QStringLiteral("DROP TABLE %1").arg(table)},
                           QStringLiteral("table %1 is missing").arg(table)});
            QStringList keepers{dropView};
            for (const QString& index : names(
                     QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'index' AND tbl_name = '%1' "
                                    "AND sql IS NOT NULL")
                         .arg(table)))
                keepers << QStringLiteral("DROP INDEX %1").arg(index);
            for (const QString& column :
                 names(QStringLiteral("SELECT name FROM pragma_table_info('%1') WHERE pk = 0").arg(table)))
                all.push_back(
                    {table,
                     keepers +
                         QStringList{QStringLiteral("ALTER TABLE %1 DROP COLUMN %2").arg(table, column)},
                     QStringLiteral("column %1.%2 is missing").arg(table, column)});
        }
        all.push_back({QString(), {dropView}, QString()});
        all.push_back({QStringLiteral("tblRoute"),
                       {QStringLiteral("UPDATE tblRoute SET price = 'дорого' WHERE id = 7")},
                       QStringLiteral("table tblRoute cannot be read: ")});
        return all;
    }
};

} // namespace

// A report reads only what its template shows, but nothing of it may be
// missing: with a table, column or value it depends on gone, it is refused
// with a text naming what is missing, and reports that do not read it run.
TEST_F(UnreadableData, ReportsNameWhatIsMissingOfWhatTheyRead) {
    const std::vector<TDamage> cases = damages();
    ASSERT_GT(cases.size(), 40u);
    for (const TDamage& damage : cases) {
        SCOPED_TRACE(damage.Statements.join(QStringLiteral("; ")).toStdString());
        // The schema changes in a transaction of its own, rolled back after the case.
        db.Exec(QStringList{QStringLiteral("SAVEPOINT damage")} + damage.Statements);
        createModules();
        for (const auto& [report, dataSet] : reports()) {
            SCOPED_TRACE(report.toStdString());
            const QStringList problems = unreadableData(dataSet);
            if (damage.Table.isEmpty() || !ReadBy.at(report).count(damage.Table)) {
                EXPECT_EQ(problems, QStringList());
                continue;
            }
            ASSERT_EQ(problems.size(), 1) << problems.join(u'\n').toStdString();
            EXPECT_TRUE(problems[0].startsWith(damage.Missing)) << problems[0].toStdString();
        }
        dropModules();
        db.Exec({QStringLiteral("ROLLBACK TO damage"), QStringLiteral("RELEASE damage")});
    }
}

// A file without any table names every table the report reads, each once.
TEST_F(UnreadableData, AnEmptyFileNamesEveryTableOnce) {
    db.Exec({QStringLiteral("DROP VIEW leavings")});
    for (const QString& table : ReadBy.at("orders"))
        db.Exec({QStringLiteral("DROP TABLE %1").arg(table)});
    createModules();
    QStringList expected;
    for (const char* table :
         {"tblOrders", "tblFlight", "tblClients", "tblCard", "tblRoute", "tblAir", "tblSotrudnik"})
        expected << QStringLiteral("table %1 is missing").arg(table);
    EXPECT_EQ(unreadableData(orders->tbl), expected);
}

// In the program the refusal is the report's error box, and no page is made.
TEST_F(UnreadableData, TheProgramShowsTheRefusalInItsErrorBox) {
    db.Exec({QStringLiteral("DROP TABLE tblClients")});
    createModules();
    TReportScreen screen;
    TfrxEngineUi::install(&screen);
    TTestDialogService dialogs;
    TProgramDataSource source(orders->tbl);
    TfrxReport report;
    loadReportTemplate(report, *findReportKind(QStringLiteral("orders")), source);
    EXPECT_FALSE(report.PrepareReport());
    TfrxEngineUi::install(nullptr);
    ASSERT_EQ(dialogs.messages().size(), 1);
    EXPECT_EQ(dialogs.messages()[0].Title, QStringLiteral("Error"));
    EXPECT_EQ(dialogs.messages()[0].Text, QStringLiteral("The following error(s) have occured:\r\n"
                                                         "DataSet frxDsOrders cannot be read: "
                                                         "table tblClients is missing"));
    EXPECT_EQ(report.PreviewPages().GetCount(), 0);
}
