#include "ToolRun.h"
#include "tests/support/TempDatabase.h"

#include "data/Connection.h"
#include "data/Exception.h"
#include "data/Schema.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <gtest/gtest.h>

#include <QDate>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <csignal>
#include <sys/types.h>

namespace {

TRun runTool(const QStringList& args) {
    return runProgram(QStringLiteral(ZELVORA_DB_TOOL), args);
}

QStringList column(const QSqlDatabase& db, const QString& sql) {
    QSqlQuery query(db);
    EXPECT_TRUE(query.exec(sql)) << sql.toStdString() << ": " << query.lastError().text().toStdString();
    QStringList values;
    while (query.next()) {
        QStringList row;
        for (int i = 0; i < query.record().count(); ++i)
            row << query.value(i).toString();
        values << row.join(u'|');
    }
    return values;
}

QString one(const QSqlDatabase& db, const QString& sql) {
    return column(db, sql).value(0);
}

} // namespace

TEST(ZelvoraDbTest, InitMakesADatabaseThatPassesCheck) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("db.sqlite"));
    const TRun init = runTool({QStringLiteral("init"), path});
    EXPECT_EQ(init.ExitCode, 0) << init.ErrLines.join(u'\n').toStdString();
    const TRun check = runTool({QStringLiteral("check"), path});
    EXPECT_EQ(check.ExitCode, 0) << check.Out.toStdString();
    EXPECT_TRUE(check.ErrLines.isEmpty());
}

TEST(ZelvoraDbTest, CheckPrintsEveryDifferenceAndFails) {
    TTempDatabase file;
    file.Exec(
        {QStringLiteral("DROP VIEW leavings"), QStringLiteral("ALTER TABLE tblClients DROP COLUMN phones")});
    const TRun check = runTool({QStringLiteral("check"), file.Path()});
    EXPECT_FALSE(check.Crashed);
    EXPECT_EQ(check.ExitCode, 1);
    EXPECT_TRUE(check.Out.contains(QStringLiteral("view leavings is missing"))) << check.Out.toStdString();
    EXPECT_TRUE(check.Out.contains(QStringLiteral("tblClients: column phones is missing")))
        << check.Out.toStdString();
    EXPECT_EQ(check.ErrLines.size(), 1);
}

TEST(ZelvoraDbTest, DemoIsBelievableAndNeverOversells) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("demo.sqlite"));
    const TRun demo = runTool({QStringLiteral("demo"), path});
    ASSERT_EQ(demo.ExitCode, 0) << demo.ErrLines.join(u'\n').toStdString();
    EXPECT_EQ(runTool({QStringLiteral("check"), path}).ExitCode, 0);

    TConnection connection(path);
    connection.Open();
    const QSqlDatabase db = connection.Database();
    EXPECT_EQ(
        one(db,
            "SELECT (SELECT count(*) FROM tblRoute) || ' ' || (SELECT count(*) FROM tblSotrudnik) || ' ' ||"
            " (SELECT count(*) FROM tblAir) || ' ' || (SELECT count(*) FROM tblClients) || ' ' ||"
            " (SELECT count(*) FROM tblFlight) || ' ' || (SELECT count(*) FROM tblOrders)"),
        QStringLiteral("20 15 10 200 60 500"));
    const QStringList cards = column(db, "SELECT names, percent FROM tblCard ORDER BY id");
    EXPECT_EQ(cards.size(), 4);
    EXPECT_TRUE(cards.contains(QStringLiteral("Эконом|0")));
    EXPECT_TRUE(cards.contains(QStringLiteral("Бизнес|50")));
    EXPECT_EQ(one(db, "SELECT count(*) FROM tblClients WHERE passport_seria GLOB '[0-9][0-9][0-9][0-9]'"
                      " AND passport_num GLOB '[0-9][0-9][0-9][0-9][0-9][0-9]'"),
              QStringLiteral("200"));
    EXPECT_EQ(one(db, "SELECT count(*) FROM tblAir a JOIN tblSotrudnik s ON s.id = a.sotrudnik_id"),
              QStringLiteral("10"));
    EXPECT_EQ(one(db, "SELECT count(DISTINCT isActive) FROM tblFlight"), QStringLiteral("2"));
    const QString today = QDate::currentDate().toString(Qt::ISODate);
    EXPECT_EQ(one(db, QStringLiteral("SELECT count(*) FROM tblFlight WHERE abs(julianday(dateStart) - "
                                     "julianday('%1')) <= 46 AND timeStart LIKE '1899-12-30 __:__:00'")
                          .arg(today)),
              QStringLiteral("60"));
    EXPECT_EQ(one(db, "SELECT count(*) FROM leavings WHERE balance < 0"), QStringLiteral("0"));
    EXPECT_GE(one(db, "SELECT count(*) FROM leavings WHERE balance = 0").toInt(), 1);
    EXPECT_EQ(one(db, "SELECT count(*) FROM tblOrders o LEFT JOIN tblFlight f ON f.id = o.flight_id"
                      " LEFT JOIN tblClients c ON c.id = o.clients_id LEFT JOIN tblCard k ON k.id = o.card_id"
                      " WHERE f.id IS NULL OR c.id IS NULL OR k.id IS NULL OR o.counts < 1"),
              QStringLiteral("0"));
}

TEST(ZelvoraDbTest, GenerateIsTheSameForTheSameSeedAndNeverOversells) {
    QTemporaryDir dir;
    QStringList contents;
    for (const QString& name : {QStringLiteral("a.sqlite"), QStringLiteral("b.sqlite")}) {
        const QString path = dir.filePath(name);
        const TRun run = runTool({QStringLiteral("generate"), path, QStringLiteral("--sales"),
                                  QStringLiteral("5000"), QStringLiteral("--seed"), QStringLiteral("42")});
        ASSERT_EQ(run.ExitCode, 0) << run.ErrLines.join(u'\n').toStdString();
        TConnection connection(path);
        connection.Open();
        EXPECT_EQ(one(connection.Database(), "SELECT count(*) FROM tblOrders"), QStringLiteral("5000"));
        EXPECT_EQ(one(connection.Database(), "SELECT count(*) FROM leavings WHERE balance < 0"),
                  QStringLiteral("0"));
        contents << column(connection.Database(), "SELECT * FROM tblOrders").join(u'\n') +
                        column(connection.Database(), "SELECT * FROM tblFlight").join(u'\n') +
                        column(connection.Database(), "SELECT * FROM tblClients").join(u'\n');
    }
    EXPECT_EQ(contents[0], contents[1]);
}

TEST(ZelvoraDbTest, ExistingFileIsNeverOverwritten) {
    TTempDatabase file;
    file.Exec({QStringLiteral("INSERT INTO tblCard (names, percent) VALUES ('Своя', '7')")});
    for (const QStringList& args : {QStringList{"init", file.Path()}, QStringList{"demo", file.Path()},
                                    QStringList{"generate", file.Path(), "--sales", "10"}}) {
        const TRun run = runTool(args);
        EXPECT_EQ(run.ExitCode, 1) << args.join(u' ').toStdString();
        EXPECT_EQ(run.ErrLines.size(), 1) << args.join(u' ').toStdString();
    }
    TConnection connection(file.Path());
    connection.Open();
    EXPECT_EQ(column(connection.Database(), "SELECT names FROM tblCard"), QStringList{"Своя"});
}

struct TBadInput {
    const char* Name;
    QStringList Args;
    const char* Says;
};

class ZelvoraDbBadInputTest : public ::testing::TestWithParam<TBadInput> {};

// Every mistake ends with exit 1 and exactly one line on standard error.
TEST_P(ZelvoraDbBadInputTest, GivesOneLineAndExitOne) {
    QTemporaryDir dir;
    QFile text(dir.filePath(QStringLiteral("text.sqlite")));
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    text.write(QByteArray(2048, 'x'));
    text.close();
    QStringList args;
    for (const QString& arg : GetParam().Args)
        args << QString(arg).replace(QStringLiteral("DIR"), dir.path());
    const TRun run = runTool(args);
    EXPECT_FALSE(run.Crashed);
    EXPECT_EQ(run.ExitCode, 1);
    ASSERT_EQ(run.ErrLines.size(), 1) << run.ErrLines.join(u'\n').toStdString();
    EXPECT_TRUE(run.ErrLines[0].contains(QString::fromUtf8(GetParam().Says)))
        << run.ErrLines[0].toStdString();
    EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("new.sqlite"))));
}

INSTANTIATE_TEST_SUITE_P(
    Inputs, ZelvoraDbBadInputTest,
    ::testing::Values(
        TBadInput{"NoCommand", {}, "command is missing"},
        TBadInput{"UnknownCommand", {"drop", "DIR/new.sqlite"}, "unknown command 'drop'"},
        TBadInput{"NoFile", {"init"}, "FILE is missing"},
        TBadInput{"ExtraArgument", {"init", "DIR/new.sqlite", "more"}, "unexpected argument 'more'"},
        TBadInput{"CheckMissingFile", {"check", "DIR/new.sqlite"}, "unable to open"},
        TBadInput{"CheckNotADatabase", {"check", "DIR/text.sqlite"}, "not a database"},
        TBadInput{"GenerateWithoutSales", {"generate", "DIR/new.sqlite"}, "--sales"},
        TBadInput{"GenerateSalesNotANumber", {"generate", "DIR/new.sqlite", "--sales", "many"}, "--sales"},
        TBadInput{"GenerateNoSales", {"generate", "DIR/new.sqlite", "--sales", "0"}, "--sales"},
        TBadInput{
            "GenerateBadSeed", {"generate", "DIR/new.sqlite", "--sales", "5", "--seed", "-1"}, "--seed"},
        TBadInput{
            "GenerateUnknownOption", {"generate", "DIR/new.sqlite", "--sales", "5", "--fast", "1"}, "--fast"},
        TBadInput{"InitIntoMissingDirectory", {"init", "DIR/no/such/new.sqlite"}, "new.sqlite"}),
    [](const ::testing::TestParamInfo<TBadInput>& info) { return std::string(info.param.Name); });

// A file another program holds locked: the tool waits its while, then says so.
// The lock keeps readers out only with the plain journal: a file left in WAL
// would let the tool read it, so the test makes sure of the journal first.
TEST(ZelvoraDbTest, LockedFileGivesOneLine) {
    TTempDatabase file;
    file.Exec({QStringLiteral("PRAGMA journal_mode=DELETE")});
    ASSERT_EQ(file.Scalar(QStringLiteral("PRAGMA journal_mode")).toString(), QStringLiteral("delete"));
    file.Exec({QStringLiteral("BEGIN EXCLUSIVE")});
    const TRun run = runTool({QStringLiteral("check"), file.Path()});
    EXPECT_FALSE(run.Crashed) << run.Failure.toStdString();
    EXPECT_EQ(run.ExitCode, 1);
    ASSERT_EQ(run.ErrLines.size(), 1);
    EXPECT_TRUE(run.ErrLines[0].contains(QStringLiteral("locked"))) << run.ErrLines[0].toStdString();
    file.Exec({QStringLiteral("ROLLBACK")});
}

// A file is made under a temporary name and takes its own only when whole:
// killed at any moment, generate leaves either no file at the name or a
// complete one.
TEST(ZelvoraDbTest, KilledGenerateNeverLeavesAnIncompleteFile) {
    const int sales = 40000;
    for (const int delayMs : {30, 150, 400, 900, 2000}) {
        SCOPED_TRACE(delayMs);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("db.sqlite"));
        QProcess process;
        process.start(QStringLiteral(ZELVORA_DB_TOOL),
                      {QStringLiteral("generate"), path, QStringLiteral("--sales"), QString::number(sales)});
        ASSERT_TRUE(process.waitForStarted());
        process.waitForFinished(delayMs);
        const bool finished = process.state() == QProcess::NotRunning;
        if (!finished) {
            ::kill(pid_t(process.processId()), SIGKILL);
            process.waitForFinished();
        }
        if (!QFile::exists(path)) {
            EXPECT_FALSE(finished && process.exitCode() == 0) << "a finished run left no file";
            continue;
        }
        const TRun check = runTool({QStringLiteral("check"), path});
        EXPECT_EQ(check.ExitCode, 0) << check.Out.toStdString();
        TConnection connection(path, TOpenMode::ReadOnly);
        connection.Open();
        EXPECT_EQ(one(connection.Database(), "SELECT count(*) FROM tblOrders"), QString::number(sales));
    }
}
