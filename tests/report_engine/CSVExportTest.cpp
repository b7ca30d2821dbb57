#include "report_engine/export/csv/CSVExport.h"
#include "report_engine/base/ReportError.h"
#include "report_engine/export/common/CodePage.h"
#include "report_engine/model/Bands.h"
#include "report_engine/model/MemoView.h"
#include "tests/support/ReportFixture.h"

#include <QBuffer>
#include <array>

namespace {
// The lines of the file the export writes for a report of these rows, decoded from the ANSI code page.
QStringList exported(std::unique_ptr<TFakeDataSource> rows, TfrxCSVExport& filter) {
    TReportFixture fixture{"routes", std::move(rows)};
    EXPECT_TRUE(fixture.run());
    const QByteArray bytes = fixture.exported(filter);
    EXPECT_TRUE(bytes.endsWith("\r\n"));
    QStringList lines;
    for (const QByteArray& line : bytes.split('\n'))
        lines << QString::fromLatin1(line);
    return lines;
}

QString ansi(const char* utf8) {
    return QString::fromLatin1(frxToAnsi(QString::fromUtf8(utf8)));
}
} // namespace

// The first row of the routes report: the line number spans three grid columns,
// departure three, destination four, fare one and time four; the columns come from
// the edges of every object on the page, title and footer included.
TEST(CSVExport, RoutesRowsKeepTheirColumnsAndTheFooterStartsItsLine) {
    TfrxCSVExport filter;
    const QStringList lines = exported(routes(3, QStringLiteral("Москва"), 4500, 150), filter);
    const QString first = ansi("1;;;Москва;;;Сочи;;;;4500;150;;;\r");
    ASSERT_TRUE(lines.contains(first)) << lines.join(u'\n').toStdString();
    const qsizetype at = lines.indexOf(first);
    EXPECT_EQ(lines.value(at + 1), ansi("2;;;Москва;;;Сочи;;;;4500;150;;;\r"));
    EXPECT_TRUE(lines.contains(QStringLiteral("1;\r"))) << "the page number alone, at the start of its line";
    EXPECT_TRUE(lines.contains(QStringLiteral("\r"))) << "a gap between bands is an empty line";
}

// Each cell is appended after what the page already holds: the bytes before it,
// a quote and line ends among them, stay as they are.
TEST(CSVExport, TextsNeedingQuotesAreQuotedAndLinesRunTogether) {
    TfrxCSVExport filter;
    const QByteArray before("\"a\r\n");
    const auto cell = [&filter, &before](const QString& text) {
        QByteArray out = before;
        filter.AppendCell(out, text);
        EXPECT_TRUE(out.startsWith(before));
        return out.mid(before.size());
    };
    const struct {
        const char* text;
        const char* written;
    } cases[] = {
        {"", ";"},
        {"Сочи", "Сочи;"},
        {"a;b", "\"a;b\";"},
        {"say \"hi\"", "\"say \"\"hi\"\"\";"},
        {"first\r\nsecond\r\n", "firstsecond;"},
        {"x\r\n", "x;"},
        {"\r\n", ";"},
        {"€ 😀", "€ ?;"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(cell(QString::fromUtf8(c.text)), frxToAnsi(QString::fromUtf8(c.written)));
    }
    filter.ForcedQuotes = true;
    EXPECT_EQ(cell("x"), QByteArray("\"x\";"));
    EXPECT_EQ(cell(""), QByteArray(";")) << "an empty cell stays empty";
    filter.NoSysSymbols = false;
    EXPECT_EQ(cell("a\tb"), QByteArray("\"a\tb\";")) << "a control character left in needs quotes";
    filter.Separator = QStringLiteral(",");
    EXPECT_EQ(cell("a,b"), QByteArray("\"a,b\","));
    filter.ForcedQuotes = false;
    filter.OEMCodepage = true;
    EXPECT_EQ(cell("Ёж"), QByteArray("\xf0\xa6,"));
    filter.OEMCodepage = false;
    filter.UTF8 = true;
    EXPECT_EQ(cell("Ёж"), QByteArray("Ёж,"));
}

TEST(CSVExport, CharactersOutsideTheCodePageBecomeQuestionMarks) {
    EXPECT_EQ(frxToAnsi(u"Ёж €1 😀"), QByteArray("\xa8\xe6 \x88\x31 ?"));
}

// Without a file name there is nothing to export; a file that cannot be created
// is an error with its reason, not a silent end.
TEST(CSVExport, NoFileNoExport) {
    TfrxCSVExport filter;
    EXPECT_FALSE(filter.Start()) << "neither a file name nor a stream";
    filter.FileName = QStringLiteral("/no-such-folder/routes.csv");
    try {
        filter.Start();
        ADD_FAILURE() << "no error";
    } catch (const EfrxError& error) {
        EXPECT_TRUE(error.message().startsWith(QStringLiteral("Cannot create /no-such-folder/routes.csv: ")))
            << error.message().toStdString();
    }
}

// The lines wait in the filter until enough of them are gathered; a filter used
// again after an export that could not write them starts its file afresh.
TEST(CSVExport, AFailedExportLeavesNothingForTheNext) {
    TReportFixture fixture{"routes", routes(3)};
    ASSERT_TRUE(fixture.run());
    TfrxCSVExport fresh;
    const QByteArray expected = fixture.exported(fresh);
    TfrxCSVExport filter;
    QBuffer refusing;
    refusing.open(QIODevice::ReadOnly);
    filter.ShowDialog = false;
    filter.Stream = &refusing;
    EXPECT_FALSE(fixture.FReport.Export(filter));
    EXPECT_EQ(fixture.exported(filter), expected);
}

namespace {
// A band holding text objects at the given places (left, top, width, height).
std::unique_ptr<TfrxMasterData> bandOf(const std::vector<std::array<double, 4>>& places) {
    auto band = std::make_unique<TfrxMasterData>();
    for (size_t i = 0; i < places.size(); ++i) {
        auto memo = std::make_unique<TfrxMemoView>();
        memo->Left = places[i][0];
        memo->Top = places[i][1];
        memo->Width = places[i][2];
        memo->Height = places[i][3];
        memo->Text = QString(QChar(u'A' + static_cast<char16_t>(i)));
        band->add(std::move(memo));
    }
    return band;
}

TfrxIEMatrix prepared(const TfrxMasterData& band) {
    TfrxIEMatrix matrix;
    for (const auto& object : band.Objects())
        matrix.AddObject(*object);
    matrix.Prepare();
    return matrix;
}
} // namespace

TEST(IEMatrix, EdgesCloserThanHalfAUnitShareAPosition) {
    const auto close = bandOf({{0, 0, 100, 20}, {100.3, 0, 50, 20}});
    EXPECT_EQ(prepared(*close).Width(), 3) << "0, 100.3 (100 merged into it), 150.3";
    const auto apart = bandOf({{0, 0, 100, 20}, {100.5, 0, 50, 20}});
    EXPECT_EQ(prepared(*apart).Width(), 4);
}

// B, added later, covers the right half of A: what shows of A becomes a piece that
// keeps A's text, and B's second cell is B again.
TEST(IEMatrix, APartlyCoveredObjectIsCutAndItsPieceKeepsTheText) {
    const auto band = bandOf({{0, 0, 100, 20}, {50, 0, 100, 20}});
    TfrxIEMatrix matrix = prepared(*band);
    ASSERT_EQ(matrix.Width(), 4);
    ASSERT_EQ(matrix.Height(), 2);
    TfrxIEMObject* piece = matrix.GetObject(0, 0);
    ASSERT_NE(piece, nullptr);
    EXPECT_NE(piece->Link, nullptr);
    EXPECT_EQ(piece->Memo, QStringLiteral("A\r\n"));
    EXPECT_EQ(piece->Link->Memo, QString()) << "the text went with the piece";
    EXPECT_EQ(matrix.GetObject(1, 0)->Memo, QStringLiteral("B\r\n"));
    EXPECT_EQ(matrix.GetObject(2, 0), matrix.GetObject(1, 0));
    EXPECT_EQ(matrix.GetObject(3, 0), nullptr);
    EXPECT_EQ(matrix.GetObject(0, 1), nullptr);
}

// One grid serves page after page: what a page left in its objects (a text written,
// a cut, a text taken by a piece) is gone on the next.
TEST(IEMatrix, ANewPageStartsFromCleanObjects) {
    const auto covered = bandOf({{0, 0, 100, 20}, {50, 0, 100, 20}});
    const auto sideBySide = bandOf({{0, 0, 100, 20}, {100, 0, 50, 20}, {150, 0, 50, 20}});
    TfrxIEMatrix matrix;
    const auto lay = [&matrix](const TfrxMasterData& band) {
        matrix.Clear();
        for (const auto& object : band.Objects())
            matrix.AddObject(*object);
        matrix.Prepare();
    };
    lay(*covered);
    for (int x = 0; x < matrix.Width(); ++x)
        if (TfrxIEMObject* object = matrix.GetObject(x, 0))
            object->Counter = 1;
    lay(*sideBySide);
    ASSERT_EQ(matrix.Width(), 4);
    const QString texts[] = {QStringLiteral("A\r\n"), QStringLiteral("B\r\n"), QStringLiteral("C\r\n")};
    for (int x = 0; x < 3; ++x) {
        SCOPED_TRACE(x);
        const TfrxIEMObject* object = matrix.GetObject(x, 0);
        ASSERT_NE(object, nullptr);
        EXPECT_EQ(object->Memo, texts[x]);
        EXPECT_EQ(object->Counter, 0);
        EXPECT_EQ(object->Link, nullptr);
    }
}
