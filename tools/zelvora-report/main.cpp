// Runs one of the program's reports without windows: opens the database and the
// data modules as the program does, filters and sorts the list's dataset as the
// list window would, runs the template and writes the prepared report and/or a
// plain-text layout listing, and exports it to CSV and PDF.
#include "data/Connection.h"
#include "data/DataModules.h"
#include "data/DataSet.h"
#include "data/Exception.h"
#include "report_engine/base/OutputFile.h"
#include "report_engine/base/ReportError.h"
#include "report_engine/export/csv/CSVExport.h"
#include "report_engine/export/pdf/PDFExport.h"
#include "report_engine/model/Report.h"
#include "report_engine/prepared/LayoutListing.h"
#include "report_engine/prepared/PreviewPages.h"
#include "report_engine/prepared/ZrpFileStream.h"
#include "reports/ProgramDataSource.h"
#include "reports/ReportFormatSettings.h"
#include "reports/ReportTemplates.h"
#include "reports/UnreadableData.h"
#include "resources/ProgramInfo.h"

#include <QCommandLineParser>
#include <QGuiApplication>
#include <QTextStream>

namespace {

// Control characters of a message (a filter or sort text echoed back, say) shown
// escaped, so that every failure stays on its one line.
QString oneLine(const QString& message) {
    QString line;
    for (const QChar c : message) {
        if (c == u'\n')
            line += QStringLiteral("\\n");
        else if (c == u'\r')
            line += QStringLiteral("\\r");
        else if (c == u'\t')
            line += QStringLiteral("\\t");
        else if (c.category() == QChar::Other_Control)
            line += QStringLiteral("\\x%1").arg(c.unicode(), 2, 16, QLatin1Char('0'));
        else if (c.category() == QChar::Separator_Line || c.category() == QChar::Separator_Paragraph)
            line += QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QLatin1Char('0'));
        else
            line += c;
    }
    return line;
}

// Several failures of one run are joined into one line.
int fail(const QStringList& messages) {
    QTextStream(stderr) << "zelvora-report: " << oneLine(messages.join(QStringLiteral("; "))) << '\n';
    return 1;
}

int fail(const QString& message) {
    return fail(QStringList{message});
}

void writeText(const QString& fileName, const QString& text) {
    TfrxOutputFile file(fileName);
    file.write(text.toUtf8());
    file.commit();
}

// An export as the report windows set it up from the template, without its dialog.
void exportTo(TfrxReport& report, TfrxCustomExportFilter& filter, const QString& settings,
              const QString& fileName) {
    filter.TakeSettings(report.exportSettings(settings));
    filter.ShowDialog = false;
    filter.FileName = fileName;
    if (!report.Export(filter)) {
        throw EfrxError(report.Errors.isEmpty() ? QStringLiteral("Cannot write %1").arg(fileName)
                                                : report.Errors.join(QStringLiteral("; ")));
    }
}

// The list windows search by setting the filter and switching it on, and sort
// by setting the sort text; the report prints what that leaves.
void narrow(TDataSet& dataSet, const QString& filter, const QString& sort) {
    if (!filter.isEmpty()) {
        dataSet.SetFilter(filter);
        dataSet.SetFiltered(true);
    }
    if (!sort.isEmpty()) {
        dataSet.SetSort(sort);
    }
}

} // namespace

int main(int argc, char** argv) {
    // Text is measured with the fonts of the platform layer; no window is shown.
    qputenv("QT_QPA_PLATFORM",
            qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QGuiApplication app(argc, argv);
    QCoreApplication::setApplicationVersion(QString::fromLatin1(ZelvoraVersion));
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Runs the routes, flights or orders report without windows."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument(QStringLiteral("report"), QStringLiteral("routes, flights or orders"));
    const QCommandLineOption db(
        QStringLiteral("db"),
        QStringLiteral("The database: a file, or a server's URI postgresql://user@host:port/dbname."),
        QStringLiteral("DATABASE"));
    const QCommandLineOption filter(QStringLiteral("filter"), QStringLiteral("Filter of the list's dataset."),
                                    QStringLiteral("EXPR"));
    const QCommandLineOption sort(QStringLiteral("sort"), QStringLiteral("Sort of the list's dataset."),
                                  QStringLiteral("SORT"));
    const QCommandLineOption zrp(QStringLiteral("zrp"), QStringLiteral("Write the prepared report here."),
                                 QStringLiteral("OUT"));
    const QCommandLineOption layout(QStringLiteral("layout"),
                                    QStringLiteral("Write the layout listing here."), QStringLiteral("OUT"));
    const QCommandLineOption csv(QStringLiteral("csv"), QStringLiteral("Export the report to this CSV file."),
                                 QStringLiteral("OUT"));
    const QCommandLineOption pdf(QStringLiteral("pdf"), QStringLiteral("Export the report to this PDF file."),
                                 QStringLiteral("OUT"));
    parser.addOptions({db, filter, sort, zrp, layout, csv, pdf});
    if (!parser.parse(app.arguments())) {
        return fail(parser.errorText());
    }
    if (parser.isSet(QStringLiteral("help"))) {
        parser.showHelp(0);
    }
    if (parser.isSet(QStringLiteral("version"))) {
        parser.showVersion();
    }
    const QStringList positional = parser.positionalArguments();
    const TReportKind* kind = positional.size() == 1 ? findReportKind(positional[0]) : nullptr;
    if (!kind) {
        return fail(QStringLiteral("name one report: routes, flights or orders"));
    }
    if (!parser.isSet(db)) {
        return fail(QStringLiteral("--db DATABASE is required"));
    }
    try {
        installReportFormatSettings();
        // A report only reads: nothing in the file changes, its journal mode included.
        TConnection connection(parser.value(db), TOpenMode::ReadOnly);
        connection.Open();
        // A table that does not open is named below, and only when the report reads it.
        TDataModules modules(connection);
        modules.openAll();
        TDataSet* dataSet = kind->ListDataSet(modules);
        if (!dataSet->Active()) {
            // Its table did not open: say what it lacks, and what else the report reads that is missing.
            const QStringList missing = unreadableData(dataSet);
            if (!dataSet->Active())
                return fail(missing);
        }
        narrow(*dataSet, parser.value(filter), parser.value(sort));
        TProgramDataSource source(dataSet);
        TfrxReport report;
        report.EngineOptions.SilentMode = TfrxSilentMode::simSilent;
        loadReportTemplate(report, *kind, source);
        // The prepared report is saved page by page as the run goes, on a second thread.
        std::unique_ptr<TfrxZrpFileStream> saving;
        TfrxPreviewPages& pages = report.PreviewPages();
        if (parser.isSet(zrp)) {
            saving = std::make_unique<TfrxZrpFileStream>(parser.value(zrp));
            pages.OnPageComplete = [&saving, &pages](int index) { saving->pageComplete(pages, index); };
        }
        if (!report.PrepareReport()) {
            return fail(report.Errors);
        }
        if (saving) {
            saving->commit(pages);
        }
        if (parser.isSet(layout)) {
            writeText(parser.value(layout), frxLayoutListing(report.PreviewPages()));
        }
        if (parser.isSet(csv)) {
            TfrxCSVExport exporter;
            exportTo(report, exporter, QStringLiteral("frxCSVExport"), parser.value(csv));
        }
        if (parser.isSet(pdf)) {
            TfrxPDFExport exporter;
            exportTo(report, exporter, QStringLiteral("frxPDFExport"), parser.value(pdf));
        }
    } catch (const Exception& e) {
        return fail(e.Message());
    } catch (const EfrxError& e) {
        return fail(QString::fromUtf8(e.what()));
    }
    return 0;
}
