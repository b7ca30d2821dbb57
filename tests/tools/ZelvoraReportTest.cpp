#include "ToolRun.h"
#include "report_engine/export/common/CodePage.h"
#include "report_engine/prepared/LayoutListing.h"
#include "report_engine/prepared/PreviewPages.h"
#include "report_engine/prepared/ZrpFile.h"
#include "tests/support/TempDatabase.h"

#include <QFile>
#include <QRegularExpression>
#include <gtest/gtest.h>

namespace {

TRun runReport(const QStringList& args,
               const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment()) {
    return runProgram(QStringLiteral(ZELVORA_REPORT_TOOL), args, environment);
}

QStringList readLines(const QString& fileName) {
    QFile file(fileName);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << fileName.toStdString();
    return QString::fromUtf8(file.readAll()).split(u'\n', Qt::SkipEmptyParts);
}

// The master data lines of a layout listing: one per printed record.
QStringList rows(const QStringList& layout) {
    QStringList found;
    for (const QString& line : layout) {
        if (line.section(u'\t', 2, 2) == QLatin1String("TfrxMasterData")) {
            found << line;
        }
    }
    return found;
}

class ZelvoraReportTest : public ::testing::Test {
protected:
    void SetUp() override {
        db.Exec({QStringLiteral("INSERT INTO tblRoute (airStart, airTarget, price, times) VALUES "
                                "('Москва', 'Сочи', 4500.5, 150), ('Казань', 'Омск', 3000, 200), "
                                "('Пермь', 'Уфа', 2000, 90)")});
    }
    // The file the routes report is exported to with this option; empty when the run failed.
    QByteArray exportedTo(const QString& option, const QString& name) {
        const QString fileName = db.FilePath(name);
        const TRun run =
            runReport({QStringLiteral("routes"), QStringLiteral("--db"), db.Path(), option, fileName});
        EXPECT_EQ(run.ExitCode, 0) << run.ErrLines.join(u'\n').toStdString();
        QFile file(fileName);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    TTempDatabase db;
};

TEST_F(ZelvoraReportTest, PrintsWhatTheFilterLeavesInTheSortOrder) {
    const QString layout = db.FilePath(QStringLiteral("layout.txt"));
    const TRun all =
        runReport({QStringLiteral("routes"), QStringLiteral("--db"), db.Path(), QStringLiteral("--layout"),
                   layout, QStringLiteral("--sort"), QStringLiteral("[price] DESC")});
    ASSERT_EQ(all.ExitCode, 0) << all.ErrLines.join(u'\n').toStdString();
    const QString text = readLines(layout).join(u'\n');
    EXPECT_EQ(rows(readLines(layout)).size(), 3);
    EXPECT_LT(text.indexOf(QStringLiteral("Москва")), text.indexOf(QStringLiteral("Казань")));
    EXPECT_LT(text.indexOf(QStringLiteral("Казань")), text.indexOf(QStringLiteral("Пермь")));

    const TRun some =
        runReport({QStringLiteral("routes"), QStringLiteral("--db"), db.Path(), QStringLiteral("--layout"),
                   layout, QStringLiteral("--filter"), QStringLiteral("airStart LIKE '%зан%'")});
    ASSERT_EQ(some.ExitCode, 0);
    const QStringList printed = rows(readLines(layout));
    ASSERT_EQ(printed.size(), 1);
    EXPECT_TRUE(readLines(layout).join(u'\n').contains(QStringLiteral("Казань")));
    EXPECT_FALSE(readLines(layout).join(u'\n').contains(QStringLiteral("Москва")));
}

// The prepared report is saved while the run goes; what it holds is what the run laid out.
TEST_F(ZelvoraReportTest, WritesAPreparedReport) {
    const QString zrp = db.FilePath(QStringLiteral("routes.zrp"));
    const QString layout = db.FilePath(QStringLiteral("layout.txt"));
    const TRun run = runReport({QStringLiteral("routes"), QStringLiteral("--db"), db.Path(),
                                QStringLiteral("--zrp"), zrp, QStringLiteral("--layout"), layout});
    ASSERT_EQ(run.ExitCode, 0) << run.ErrLines.join(u'\n').toStdString();
    QFile listing(layout);
    ASSERT_TRUE(listing.open(QIODevice::ReadOnly));
    EXPECT_EQ(frxLayoutListing(*frxZrp::loadFromFile(zrp)), QString::fromUtf8(listing.readAll()));
}

// Exported as the report windows set the export up: ";" between cells, the ANSI code page.
TEST_F(ZelvoraReportTest, ExportsTheReportToCsv) {
    const QByteArray bytes = exportedTo(QStringLiteral("--csv"), QStringLiteral("routes.csv"));
    EXPECT_TRUE(bytes.contains(frxToAnsi(u";;;Москва;;;Сочи;;;;4500,5;150;;;\r\n")))
        << QString::fromLatin1(bytes).toStdString();
    EXPECT_FALSE(bytes.contains(QStringLiteral("Москва").toUtf8()));
}

TEST_F(ZelvoraReportTest, ExportsTheReportToPdf) {
    const QByteArray bytes = exportedTo(QStringLiteral("--pdf"), QStringLiteral("routes.pdf"));
    EXPECT_TRUE(bytes.startsWith("%PDF-1.5"));
    EXPECT_TRUE(bytes.endsWith("%%EOF\r\n"));
    EXPECT_TRUE(bytes.contains("/Author <FEFF005A0065006C0076006F00720061>")) << "the template's settings";
}

TEST_F(ZelvoraReportTest, BadInputGivesOneLineAndExitOne) {
    const QStringList cases[] = {
        {QStringLiteral("bogus"), QStringLiteral("--db"), db.Path()},
        {QStringLiteral("routes")},
        {QStringLiteral("routes"), QStringLiteral("--db"), db.FilePath(QStringLiteral("missing.sqlite"))},
        {QStringLiteral("routes"), QStringLiteral("--db"), db.Path(), QStringLiteral("--filter"),
         QStringLiteral("nosuch = '1'")},
        {QStringLiteral("routes"), QStringLiteral("--db"), db.Path(), QStringLiteral("--sort"),
         QStringLiteral("[nosuch]")},
        {QStringLiteral("routes"), QStringLiteral("--db"), db.Path(), QStringLiteral("--zrp"),
         db.FilePath(QStringLiteral("no-such-folder/routes.zrp"))},
        {QStringLiteral("routes"), QStringLiteral("--db"), db.Path(), QStringLiteral("--csv"),
         db.FilePath(QStringLiteral("no-such-folder/routes.csv"))},
        {QStringLiteral("routes"), QStringLiteral("--db"), db.Path(), QStringLiteral("--pdf"),
         db.FilePath(QStringLiteral("no-such-folder/routes.pdf"))},
        {QStringLiteral("routes"), QStringLiteral("--db"), db.Path(), QStringLiteral("--layout"),
         db.FilePath(QStringLiteral("no-such-folder/routes.txt"))},
        // Echoed user text with a line break or a control character stays on its line.
        {QStringLiteral("routes"), QStringLiteral("--db"), db.Path(), QStringLiteral("--filter"),
         QStringLiteral("nosuch\n= '1'\x01")},
        {QStringLiteral("routes"), QStringLiteral("--db"), db.Path(), QStringLiteral("--sort"),
         QStringLiteral("[no\r\nsuch]")},
    };
    for (const QStringList& args : cases) {
        const TRun run = runReport(args);
        EXPECT_FALSE(run.Crashed) << args.join(u' ').toStdString();
        EXPECT_EQ(run.ExitCode, 1) << args.join(u' ').toStdString();
        EXPECT_EQ(run.ErrLines.size(), 1) << run.ErrLines.join(u'\n').toStdString();
    }
    const TRun echoed = runReport(cases[std::size(cases) - 2]);
    EXPECT_TRUE(echoed.ErrLines.value(0).contains(QStringLiteral("nosuch\\n= '1'\\x01")))
        << echoed.ErrLines.value(0).toStdString();
}

// A report whose data cannot all be read is refused on one line naming what is
// missing, however much is; a report that does not read it runs.
TEST_F(ZelvoraReportTest, DamagedDatabasesAreRefusedOnOneLine) {
    const struct {
        const char* report;
        QStringList damage;
        const char* said; // empty: the report runs
    } cases[] = {
        {"orders", {"DROP TABLE tblClients"}, "table tblClients is missing"},
        {"routes", {"DROP TABLE tblClients"}, ""},
        {"orders",
         {"DROP VIEW leavings", "DROP INDEX idxFlightAir", "ALTER TABLE tblFlight DROP COLUMN dateStart"},
         "column tblFlight.dateStart is missing"},
        {"routes",
         {"UPDATE tblRoute SET price = 'дорого' WHERE airStart = 'Пермь'"},
         "table tblRoute cannot be read"},
        {"orders",
         {"DROP VIEW leavings", "DROP TABLE tblOrders", "DROP TABLE tblFlight", "DROP TABLE tblClients",
          "DROP TABLE tblCard", "DROP TABLE tblRoute", "DROP TABLE tblAir", "DROP TABLE tblSotrudnik"},
         "table tblOrders is missing; table tblFlight is missing; table tblClients is missing; table tblCard "
         "is "
         "missing; table tblRoute is missing; table tblAir is missing; table tblSotrudnik is missing"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.damage.join(QStringLiteral("; ")).toStdString());
        TTempDatabase damaged;
        damaged.Exec({QStringLiteral("INSERT INTO tblRoute (airStart, airTarget, price, times) VALUES "
                                     "('Пермь', 'Уфа', 2000, 90)")});
        damaged.Exec(c.damage);
        const QString layout = damaged.FilePath(QStringLiteral("layout.txt"));
        const TRun run = runReport({QString::fromLatin1(c.report), QStringLiteral("--db"), damaged.Path(),
                                    QStringLiteral("--layout"), layout});
        EXPECT_FALSE(run.Crashed);
        if (QByteArray(c.said).isEmpty()) {
            EXPECT_EQ(run.ExitCode, 0) << run.ErrLines.join(u'\n').toStdString();
            continue;
        }
        EXPECT_EQ(run.ExitCode, 1);
        ASSERT_EQ(run.ErrLines.size(), 1) << run.ErrLines.join(u'\n').toStdString();
        EXPECT_TRUE(run.ErrLines[0].contains(QString::fromUtf8(c.said))) << run.ErrLines[0].toStdString();
        EXPECT_FALSE(QFile::exists(layout));
    }
}

// The report takes the regional settings the program's lists use: the run's date
// in the title has the same form as the dates in the rows, numbers the same
// decimal separator; without regional settings the program's own Russian ones.
TEST_F(ZelvoraReportTest, DatesAndNumbersTakeTheUsersSettings) {
    db.Exec(
        {QStringLiteral("INSERT INTO tblAir (bortNum, model, isActive, seats) VALUES ('RA-1', 'Ил', 1, 100)"),
         QStringLiteral("INSERT INTO tblFlight (air_id, route_id, dateStart, timeStart, isActive) VALUES "
                        "(1, 1, '2026-12-31 00:00:00', '1899-12-30 09:05:07', 1)")});
    const struct {
        const char* locale;
        const char* datePattern;
        const char* departure;
        const char* fare;
    } cases[] = {
        {"en_US.UTF-8", "^\\d\\d/\\d\\d/\\d{4}$", "12/31/2026", "4500.5RUR"},
        {"de_DE.UTF-8", "^\\d\\d\\.\\d\\d\\.\\d{4}$", "31.12.2026", "4500,5RUR"},
        {"C", "^\\d\\d\\.\\d\\d\\.\\d{4}$", "31.12.2026", "4500,5RUR"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.locale);
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("LC_ALL"), QString::fromLatin1(c.locale));
        environment.insert(QStringLiteral("LANG"), QString::fromLatin1(c.locale));
        const QString layout = db.FilePath(QStringLiteral("flights.txt"));
        const TRun run = runReport({QStringLiteral("flights"), QStringLiteral("--db"), db.Path(),
                                    QStringLiteral("--layout"), layout},
                                   environment);
        ASSERT_EQ(run.ExitCode, 0) << run.ErrLines.join(u'\n').toStdString();
        QString runDate;
        QString departure;
        QString route;
        for (const QString& line : readLines(layout)) {
            const QStringList cells = line.split(u'\t');
            if (cells[1] == QLatin1String("SysMemo2"))
                runDate = cells.value(7);
            else if (cells[1] == QLatin1String("frxDsFlightdateStart"))
                departure = cells.value(7);
            else if (cells[1] == QLatin1String("frxDsFlightrouteToString"))
                route = cells.value(7);
        }
        EXPECT_TRUE(QRegularExpression(QString::fromLatin1(c.datePattern)).match(runDate).hasMatch())
            << runDate.toStdString();
        EXPECT_EQ(departure, QString::fromLatin1(c.departure));
        EXPECT_TRUE(route.contains(QString::fromLatin1(c.fare))) << route.toStdString();
    }
}

} // namespace
