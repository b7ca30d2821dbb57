#include "report_engine/export/pdf/PDFExport.h"
#include "report_engine/print/Printer.h"
#include "report_engine/print/Printers.h"
#include "reports/ReportScreen.h"
#include "tests/support/CupsServer.h"
#include "tests/support/ReportFixture.h"
#include "tests/support/TestDialogService.h"

#include <QCheckBox>
#include <QDialog>
#include <QFile>
#include <QHash>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <algorithm>
#include <cmath>

namespace {
QString run(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    process.waitForFinished(60000);
    EXPECT_EQ(process.exitCode(), 0) << program.toStdString() << ": "
                                     << process.readAllStandardError().toStdString();
    return QString::fromUtf8(process.readAllStandardOutput());
}

// A character of a PDF page as MuPDF reads it: the character and its origin on
// the baseline, in points. The origin does not depend on the metrics a file
// declares for its font, so files with different fonts compare.
struct TGlyph {
    int Page = 0;
    QString Text;
    double X = 0;
    double Y = 0;
};

// The character of an XML attribute, written as itself or as a reference.
QString character(const QString& attribute) {
    if (attribute.startsWith("&#x"))
        return QString(QChar(attribute.mid(3, attribute.size() - 4).toUInt(nullptr, 16)));
    static const QHash<QString, QString> named{
        {"&amp;", "&"}, {"&lt;", "<"}, {"&gt;", ">"}, {"&quot;", "\""}};
    return named.value(attribute, attribute);
}

std::vector<TGlyph> glyphs(const QString& pdf) {
    const QString xml = run("mutool", {"draw", "-F", "stext", "-o", "-", pdf});
    std::vector<TGlyph> found;
    int page = 0;
    static const QRegularExpression glyph(
        R"re(<char quad="[^"]*" x="([-\d.]+)" y="([-\d.]+)".* c="([^"]*)"/>)re");
    for (const QString& line : xml.split('\n')) {
        if (line.startsWith("<page "))
            ++page;
        const QRegularExpressionMatch match = glyph.match(line);
        if (match.hasMatch())
            found.push_back({page, character(match.captured(3)), match.captured(1).toDouble(),
                             match.captured(2).toDouble()});
    }
    return found;
}

QString text(const std::vector<TGlyph>& glyphs) {
    QString all;
    for (const TGlyph& glyph : glyphs)
        all += glyph.Text;
    return all;
}

int pdfPages(const QString& file) {
    return run("qpdf", {"--show-npages", file}).trimmed().toInt();
}

class CupsPrint : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(FServer.error(), QString());
        frxInstallPrinters(TfrxPrinters::fromSystem());
        TfrxEngineUi::install(&FScreen);
    }
    void TearDown() override { TfrxEngineUi::install(nullptr); }

    // The routes report's PDF export, for comparing what was printed with it.
    QString exportedPdf(TReportFixture& fixture) {
        TfrxPDFExport filter;
        QFile file(FDir.filePath("export.pdf"));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(fixture.exported(filter));
        return file.fileName();
    }

    TCupsServer FServer;
    TReportScreen FScreen;
    TTestDialogService FDialogs;
    QTemporaryDir FDir;
};
} // namespace

// The private server's queue is the system's default printer, read as the
// print system describes it.
TEST_F(CupsPrint, TheQueueIsTheDefaultPrinter) {
    TfrxPrinters& printers = frxPrinters();
    ASSERT_TRUE(printers.HasPhysicalPrinters());
    EXPECT_EQ(printers.Printers(), QStringList({"PDF"}));
    TfrxCustomPrinter& printer = printers.Printer();
    EXPECT_EQ(printer.Port(), QStringLiteral("cups-pdf:/"));
    EXPECT_TRUE(printer.Initialized);
    EXPECT_EQ(printer.DPI, QPoint(300, 300));
    EXPECT_EQ(printer.DefPaper, 9);
    EXPECT_EQ(printer.PaperWidth, 210);
    EXPECT_EQ(printer.PaperHeight, 297);
    EXPECT_EQ(printer.LeftMargin + printer.TopMargin + printer.RightMargin + printer.BottomMargin, 0);
    EXPECT_GE(printer.PaperIndex(11), 0) << printer.paperNames().join(", ").toStdString();
}

// A printed report is one job of all its pages, and its text stands where the
// PDF export puts it.
TEST_F(CupsPrint, AReportIsOneJobWithItsPagesWhereTheExportHasThem) {
    TReportFixture fixture("routes", routes(150));
    ASSERT_TRUE(fixture.run());
    FDialogs.onModal("TfrxPrintDialog",
                     [](QDialog& window) { window.findChild<QPushButton*>("OkB")->click(); });
    ASSERT_TRUE(fixture.FReport.Print()) << fixture.FReport.Errors.join('\n').toStdString();
    const auto& printer = static_cast<const TfrxPrinter&>(frxPrinters().Printer());
    ASSERT_GT(printer.JobId(), 0);
    const QList<TCupsServer::TJob> jobs = FServer.jobs();
    ASSERT_EQ(jobs.size(), 1);
    EXPECT_EQ(jobs.first().Title, QStringLiteral("Zelvora Report Document"));
    EXPECT_TRUE(FServer.waitUntilDone(printer.JobId())) << "the queue's printer took it";

    const QString printed = FServer.jobFile(printer.JobId());
    EXPECT_EQ(pdfPages(printed), fixture.FReport.PreviewPages().GetCount());
    run("qpdf", {"--check", printed});
    const std::vector<TGlyph> printedGlyphs = glyphs(printed);
    const std::vector<TGlyph> exportedGlyphs = glyphs(exportedPdf(fixture));
    ASSERT_FALSE(exportedGlyphs.empty());
    EXPECT_EQ(text(printedGlyphs), text(exportedGlyphs));
    EXPECT_TRUE(text(printedGlyphs).contains(QStringLiteral("Список маршрутов"))) << "the title";
    ASSERT_EQ(printedGlyphs.size(), exportedGlyphs.size());
    double farthest = 0;
    for (size_t i = 0; i < printedGlyphs.size(); ++i) {
        EXPECT_EQ(printedGlyphs[i].Page, exportedGlyphs[i].Page);
        farthest = std::max({farthest, std::abs(printedGlyphs[i].X - exportedGlyphs[i].X),
                             std::abs(printedGlyphs[i].Y - exportedGlyphs[i].Y)});
    }
    EXPECT_LE(farthest, 1.0) << "points between a printed character and the exported one";
}

TEST_F(CupsPrint, PrintToFileWritesThePagesAndStartsNoJob) {
    TReportFixture fixture("routes", routes(150));
    ASSERT_TRUE(fixture.run());
    FDialogs.onModal("TfrxPrintDialog", [](QDialog& window) {
        window.findChild<QCheckBox*>("FileCB")->click();
        window.findChild<QPushButton*>("OkB")->click();
    });
    FDialogs.answerFile(FDir.filePath("routes"));
    ASSERT_TRUE(fixture.FReport.Print());
    const QString file = FDir.filePath("routes.prn");
    ASSERT_TRUE(QFile::exists(file));
    EXPECT_EQ(pdfPages(file), fixture.FReport.PreviewPages().GetCount());
    EXPECT_TRUE(FServer.jobs().isEmpty());
}

TEST_F(CupsPrint, NoQueueOrNoServerIsNoPrinter) {
    TReportFixture fixture("routes", routes(10));
    ASSERT_TRUE(fixture.run());
    ASSERT_TRUE(FServer.removeQueues()) << FServer.error().toStdString();
    frxInstallPrinters(TfrxPrinters::fromSystem());
    EXPECT_FALSE(fixture.FReport.Print());
    ASSERT_EQ(FDialogs.messages().size(), 1);
    EXPECT_EQ(FDialogs.messages().first().Title, QStringLiteral("Error"));
    EXPECT_EQ(FDialogs.messages().first().Text, QStringLiteral("No printers installed on your system"));
    EXPECT_TRUE(FDialogs.modals().isEmpty()) << "no print dialog";

    FServer.stop();
    EXPECT_FALSE(TfrxPrinters::fromSystem().HasPhysicalPrinters());
}
