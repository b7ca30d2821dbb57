#include "ToolRun.h"
#include "report_engine/CodePage.h"
#include "report_engine/LayoutListing.h"
#include "report_engine/PreviewPages.h"
#include "report_engine/ZrpFile.h"
#include "support/TempDatabase.h"

#include <QFile>
#include <gtest/gtest.h>

namespace {

TRun runReport(const QStringList& args) {
    return runProgram(QStringLiteral(ZELVORA_REPORT_TOOL), args);
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
    };
    for (const QStringList& args : cases) {
        const TRun run = runReport(args);
        EXPECT_FALSE(run.Crashed) << args.join(u' ').toStdString();
        EXPECT_EQ(run.ExitCode, 1) << args.join(u' ').toStdString();
        EXPECT_EQ(run.ErrLines.size(), 1) << run.ErrLines.join(u'\n').toStdString();
    }
}

} // namespace
