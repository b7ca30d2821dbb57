#include "PdfReaders.h"
#include "report_engine/export/pdf/PDFExport.h"
#include "report_engine/model/Report.h"
#include "report_engine/model/ReportTemplate.h"
#include "report_engine/prepared/PreviewPages.h"
#include "report_engine/prepared/ZrpFile.h"
#include "tests/support/ReportFixture.h"

#include <QFile>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <algorithm>
#include <gtest/gtest.h>
#include <map>
#include <set>

// The program's three reports over the demo database, prepared once and saved
// (demo/*.zrp), beside the files the export wrote for them while the embedded
// fonts still carried every table of the face (demo/*.pdf, their font programs
// left out to keep them small). Exporting the same pages now must give the same
// objects, byte for byte, except the font programs and the time of the export.
namespace {
QString demoFile(const QString& name) {
    return QStringLiteral(ZELVORA_DEMO_REPORTS "/") + name;
}

QByteArray exportedDemo(const QString& design) {
    TfrxReport report;
    frxTemplate::loadFile(report, QStringLiteral(":/templates/%1.xml").arg(design));
    report.replacePreviewPages(frxZrp::loadFromFile(demoFile(design + QStringLiteral(".zrp"))));
    TfrxPDFExport filter;
    filter.TakeSettings(report.exportSettings(QStringLiteral("frxPDFExport")));
    return exportedFrom(report, filter);
}

QByteArray withoutExportTime(QByteArray text) {
    static const QRegularExpression stamped(QStringLiteral("^/(CreationDate|ModDate|ID) [^\r]*\r\n"),
                                            QRegularExpression::MultilineOption);
    return QString::fromLatin1(text).remove(stamped).toLatin1();
}

// Every object by its number, found through the cross-reference table, and the
// trailer under number 0.
std::map<int, QByteArray> objectsOf(const QByteArray& pdf) {
    const qsizetype xref = pdf.lastIndexOf("\r\nxref\r\n") + 2;
    const QList<QByteArray> lines = pdf.mid(xref).split('\n');
    const int count = lines.value(1).trimmed().split(' ').value(1).toInt();
    std::vector<std::pair<qsizetype, int>> starts;
    for (int number = 1; number < count; ++number)
        starts.emplace_back(lines.value(2 + number).left(10).toLongLong(), number);
    std::sort(starts.begin(), starts.end());
    starts.emplace_back(xref, 0);
    std::map<int, QByteArray> objects;
    for (size_t i = 0; i + 1 < starts.size(); ++i)
        objects[starts[i].second] =
            withoutExportTime(pdf.mid(starts[i].first, starts[i + 1].first - starts[i].first));
    const QByteArray trailer = pdf.mid(pdf.indexOf("trailer", xref));
    objects[0] = withoutExportTime(trailer.left(trailer.indexOf("startxref")));
    return objects;
}

std::set<int> fontPrograms(const QByteArray& pdf) {
    std::set<int> numbers;
    static const QRegularExpression reference(QStringLiteral("/FontFile2 (\\d+) 0 R"));
    for (const QRegularExpressionMatch& match : reference.globalMatch(QString::fromLatin1(pdf)))
        numbers.insert(match.captured(1).toInt());
    return numbers;
}
} // namespace

TEST(PDFDemoReports, ChangeOnlyInTheirFontProgramsAndReadersTakeThem) {
    const QString tools[] = {QStandardPaths::findExecutable(QStringLiteral("qpdf")),
                             QStandardPaths::findExecutable(QStringLiteral("pdftotext")),
                             QStandardPaths::findExecutable(QStringLiteral("pdftoppm"))};
    const bool readers = std::none_of(std::begin(tools), std::end(tools), std::mem_fn(&QString::isEmpty));
    QTemporaryDir dir;
    for (const QString design : {"routes", "flights", "orders"}) {
        SCOPED_TRACE(design.toStdString());
        const QString referenceName = demoFile(design + QStringLiteral(".pdf"));
        QFile referenceFile(referenceName);
        ASSERT_TRUE(referenceFile.open(QIODevice::ReadOnly));
        const QByteArray reference = referenceFile.readAll();
        const QByteArray pdf = exportedDemo(design);

        const std::set<int> programs = fontPrograms(pdf);
        EXPECT_EQ(programs.size(), 3u);
        EXPECT_EQ(programs, fontPrograms(reference));
        const std::map<int, QByteArray> was = objectsOf(reference);
        const std::map<int, QByteArray> now = objectsOf(pdf);
        ASSERT_EQ(now.size(), was.size());
        for (const auto& [number, object] : now) {
            if (!programs.count(number)) {
                EXPECT_EQ(object, was.at(number)) << "object " << number;
            }
        }

        if (!readers)
            continue;
        const QString fileName = dir.filePath(design + QStringLiteral(".pdf"));
        QFile file(fileName);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(pdf);
        file.close();
        EXPECT_EQ(complaint(tools[0], {QStringLiteral("--check"), fileName}).toStdString(), "");
        EXPECT_EQ(
            complaint(tools[2], {QStringLiteral("-r"), QStringLiteral("40"), fileName, dir.filePath(design)})
                .toStdString(),
            "");
        const QStringList layout = {QStringLiteral("-layout"), QStringLiteral("-enc"),
                                    QStringLiteral("UTF-8")};
        const QString text = printed(tools[1], layout + QStringList{fileName, QStringLiteral("-")});
        EXPECT_TRUE(text.contains(QStringLiteral("Документ сгенерирован")));
        EXPECT_EQ(text, printed(tools[1], layout + QStringList{referenceName, QStringLiteral("-")}));
    }
}
