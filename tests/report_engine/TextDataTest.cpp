#include "report_engine/base/ReportError.h"
#include "report_engine/model/FormatData.h"
#include "report_engine/model/MemoView.h"
#include "report_engine/run/Expression.h"
#include "tests/support/ReportFixture.h"

#include <QDateTime>

TEST(ExpressionExpansion, ExpandsEveryBracketLeftToRight) {
    const struct {
        const char* name;
        QString text;
        QString expected;
        QStringList seen;
    } cases[] = {
        {"no brackets", "plain text", "plain text", {}},
        {"two expressions", "a [x] b [y] c", "a <x:0> b <y:1> c", {"x", "y"}},
        {"nested brackets", "[a[b]c]!", "<a[b]c:0>!", {"a[b]c"}},
        {"quoted close bracket", "[f(']')] [\"]\"]", "<f(']'):0> <\"]\":1>", {"f(']')", "\"]\""}},
        {"unclosed", "x [abc", "x [abc", {}},
        {"empty expression", "[]z", "<:0>z", {""}},
        {"inserted text is not expanded again", "[open]", "<open:0>", {"open"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QStringList seen;
        const QString result = frxExpandExpressions(
            c.text, "[,]",
            [&seen](const QString& expression, int format) {
                seen << expression;
                return QStringLiteral("<%1:%2>").arg(expression).arg(format);
            },
            2);
        EXPECT_EQ(result, c.expected);
        EXPECT_EQ(seen, c.seen);
    }
    QStringList seen;
    EXPECT_EQ(frxExpandExpressions("<%a%>", "<%,%>", [&](const QString& e, int) { return e.toUpper(); }),
              "A");
}

TEST(FormatData, ValuesBecomeTextByType) {
    const struct {
        const char* name;
        QVariant value;
        QString expected;
    } cases[] = {
        {"null", QVariant(), ""},
        {"text", QString("Сочи"), "Сочи"},
        {"integer", -42, "-42"},
        {"float uses the decimal comma", 4500.5, "4500,5"},
        {"float up to 15 digits", 1.0 / 3.0, "0,333333333333333"},
        {"boolean is not localised", true, "True"},
        {"date only", QDateTime(QDate(2019, 12, 17), QTime(0, 0)), "17.12.2019"},
        {"time only", QTime(12, 5, 31), "12:05:31"},
        {"zero day is a time", QDateTime(QDate(1899, 12, 30), QTime(12, 5, 31)), "12:05:31"},
        {"date and time", QDateTime(QDate(2019, 12, 17), QTime(12, 5, 31)), "17.12.2019 12:05:31"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(frxFormatData(c.value, TfrxFormat()), c.expected) << c.name;
    TfrxFormat yesNo{TfrxFormatKind::fkBoolean, "Yes,No", "", ""};
    EXPECT_EQ(frxFormatData(false, yesNo), "No");
}

namespace {
// A report over one record, ready to compute texts of objects outside any run.
class TextData : public ::testing::Test {
protected:
    void SetUp() override {
        auto source = routes(1);
        source->addRow({7, QVariant(), "Уфа", 1.5, 60});
        FFixture = std::make_unique<TReportFixture>("routes", std::move(source));
        FDataSet = FFixture->FReport.Datasets.first().DataSet;
        FDataSet->Initialize();
        FDataSet->First();
    }
    void TearDown() override { FDataSet->Finalize(); }

    QString textOf(const QString& text, const QString& dataField = QString()) {
        TfrxMemoView memo;
        memo.Name = "Memo9";
        memo.Text = text;
        memo.DataField = dataField;
        memo.DataSet = dataField.isEmpty() ? nullptr : FDataSet;
        memo.GetData(FFixture->FReport);
        return memo.Text;
    }

    std::unique_ptr<TReportFixture> FFixture;
    TfrxDataSet* FDataSet = nullptr;
};
} // namespace

TEST_F(TextData, FieldsAndVariablesInTexts) {
    TfrxReport& report = FFixture->FReport;
    report.Variables.append({"greeting", QString("'Привет'")});
    report.Variables.append({"loop", QString("loop")});
    EXPECT_EQ(textOf("Из [frxDsRoute.\"airStart\"] в [frxDsRoute.\"AIRTARGET\"]"), "Из Москва в Сочи");
    EXPECT_EQ(textOf("[period_start]"), "");
    EXPECT_EQ(textOf("[greeting]!"), "Привет!");
    EXPECT_EQ(textOf("[']']"), "]");
    EXPECT_EQ(textOf("[TotalPages#] [copyname#]"), "[TotalPages#] [CopyName#]");
    EXPECT_TRUE(report.Errors.isEmpty());
    // A variable that names itself ends instead of recursing forever.
    EXPECT_THROW(textOf("[loop]"), EfrxError);

    FDataSet->Next();
    EXPECT_EQ(textOf("[frxDsRoute.\"airStart\"]|"), "|"); // Null text field: empty, never "0"
    EXPECT_EQ(textOf("", "airStart"), "");
    EXPECT_EQ(textOf("", "price"), "1.5");
}

TEST_F(TextData, MissingFieldsAreReportedAndTheRunGoesOn) {
    TfrxReport& report = FFixture->FReport;
    EXPECT_EQ(textOf("[frxDsRoute.\"nosuch\"]"), "");
    EXPECT_EQ(textOf("", "nosuch"), "Field not found: frxDsRoute.\"nosuch\"");
    EXPECT_EQ(report.Errors, QStringList{"Memo9: Field not found: frxDsRoute.\"nosuch\""});
}

TEST_F(TextData, UnknownExpressionEndsTheRunWithItsMessage) {
    TfrxReport& report = FFixture->FReport;
    EXPECT_THROW(textOf("[1 +* 2]"), EfrxError);
    ASSERT_EQ(report.Errors.size(), 1);
    EXPECT_TRUE(report.Errors[0].startsWith("Memo9: ")) << report.Errors[0].toStdString();
}

TEST_F(TextData, InactiveDatasetShowsTheReference) {
    FFixture->FSource->close();
    EXPECT_EQ(textOf("", "airStart"), "frxDsRoute.\"airStart\"");
}

TEST(DBDataset, AliasesHooksAndRanges) {
    auto source = routes(5);
    TFakeDataSource& fake = *source;
    TfrxDBDataset dataSet;
    dataSet.Name = dataSet.UserName = "frxDs";
    dataSet.FieldAliases = QStringList{"id=Number", "airStart=From", "-price=price"};
    dataSet.setDataSource(&fake);
    EXPECT_EQ(dataSet.ConvertAlias("from"), "airStart");
    EXPECT_EQ(dataSet.GetAlias("AIRSTART"), "From");
    EXPECT_EQ(dataSet.GetFieldList(), (QStringList{"Number", "From"}));

    dataSet.Initialize();
    dataSet.First();
    EXPECT_EQ(dataSet.GetValue("number").toInt(), 100);
    EXPECT_FALSE(dataSet.HasField("price"));
    EXPECT_EQ(dataSet.GetFieldType("From"), TfrxFieldType::fftString);
    EXPECT_EQ(dataSet.GetFieldType("Number"), TfrxFieldType::fftNumeric);

    // Reopening the program dataset during a run rebuilds the field list through the hook.
    fake.close();
    fake.open();
    EXPECT_EQ(dataSet.GetValue("From").toString(), "Москва");

    dataSet.RangeEnd = TfrxRangeEnd::reCount;
    dataSet.RangeEndCount = 2;
    dataSet.First();
    int records = 0;
    for (; !dataSet.Eof(); dataSet.Next())
        ++records;
    EXPECT_EQ(records, 2);
    dataSet.CloseDataSource = true;
    dataSet.Finalize();
    EXPECT_FALSE(fake.active());
    EXPECT_FALSE(fake.afterOpen());
    EXPECT_FALSE(fake.beforeClose());
}

// A run keeps the windows showing its dataset from following it record by record
// from its start and gives them back once at its end, whether it was started
// twice or ended before it started.
TEST(DBDataset, ControlsStopForTheRunAndComeBackOnce) {
    auto source = routes(3);
    TFakeDataSource& fake = *source;
    TfrxDBDataset dataSet;
    dataSet.setDataSource(&fake);
    dataSet.Finalize();
    EXPECT_EQ(fake.FControlsDisabled, 0) << "nothing to give back before a run";
    dataSet.Initialize();
    dataSet.Initialize();
    EXPECT_EQ(fake.FControlsDisabled, 1);
    int records = 0;
    for (dataSet.First(); !dataSet.Eof(); dataSet.Next())
        ++records;
    EXPECT_EQ(records, 3);
    dataSet.Finalize();
    dataSet.Finalize();
    EXPECT_EQ(fake.FControlsDisabled, 0);
}
