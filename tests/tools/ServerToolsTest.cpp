#include "ToolRun.h"
#include "tests/support/PgServer.h"

#include "data/Connection.h"
#include "data/Exception.h"

#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

TRun runDb(const QStringList& args) {
    return runProgram(QStringLiteral(ZELVORA_DB_TOOL), args);
}

TRun runReport(const QStringList& args) {
    return runProgram(QStringLiteral(ZELVORA_REPORT_TOOL), args);
}

// The rows a query gives, each as its values joined by "|".
QStringList rows(TConnection& connection, const QString& sql) {
    QStringList result;
    const std::unique_ptr<TRowReader> reader = connection.Engine().select(sql);
    while (reader->step()) {
        QStringList values;
        for (int c = 0; c < reader->columnCount(); ++c)
            values << reader->value(c).toString();
        result << values.join(u'|');
    }
    return result;
}

// What must agree between two copies of an office: how many rows each table
// holds and its highest id, every sale with its keys, and every flight's
// balance.
QStringList office(const QString& database) {
    TConnection connection(database);
    connection.Open();
    QStringList facts;
    for (const char* table :
         {"tblSotrudnik", "tblRoute", "tblClients", "tblCard", "tblAir", "tblFlight", "tblOrders"})
        facts << QString::fromLatin1(table) + QLatin1Char(' ') +
                     rows(connection,
                          QStringLiteral("SELECT count(*), max(id) FROM %1").arg(QLatin1String(table)))
                         .join(u',');
    facts << rows(connection, QStringLiteral("SELECT id, flight_id, clients_id, card_id, mesto, counts "
                                             "FROM tblOrders ORDER BY id"));
    facts << rows(connection, QStringLiteral("SELECT flight_id, balance FROM leavings ORDER BY flight_id"));
    return facts;
}

// The orders report's layout listing, without the date and time of the run
// that the report prints in its title.
QStringList layoutOf(const QString& database, const QString& listing) {
    const TRun run = runReport(
        {QStringLiteral("orders"), QStringLiteral("--db"), database, QStringLiteral("--layout"), listing});
    EXPECT_EQ(run.ExitCode, 0) << run.ErrLines.join(u'\n').toStdString();
    QFile file(listing);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    static const QRegularExpression clock(
        QStringLiteral("^(\\d\\d\\.\\d\\d\\.\\d{4}|\\d?\\d:\\d\\d:\\d\\d)$"));
    QStringList lines;
    for (const QString& line : QString::fromUtf8(file.readAll()).split(u'\n')) {
        const QStringList fields = line.split(u'\t');
        if (fields.value(2) != QLatin1String("TfrxSysMemoView") || !clock.match(fields.last()).hasMatch())
            lines << line;
    }
    return lines;
}

struct TCopyCase {
    const char* Name;
    QString Command; // the zelvora-db command that makes the file
    QStringList Options;
    bool CompareReports;
};

class CopyTest : public ::testing::TestWithParam<TCopyCase> {
protected:
    void SetUp() override {
        server = TPgServer::Instance();
        ASSERT_NE(server, nullptr) << TPgServer::StartError().toStdString();
    }
    TPgServer* server = nullptr;
    QTemporaryDir dir;
};

} // namespace

// An office moves from its file to a server and back: every row keeps its id,
// both sides agree on counts and balances, the server passes its check, and
// new rows are numbered after the copied ones.
TEST_P(CopyTest, FileToServerAndBackKeepsEveryRow) {
    const QString file = dir.filePath(QStringLiteral("office.sqlite"));
    const TRun made = runDb(QStringList{GetParam().Command, file} + GetParam().Options);
    ASSERT_EQ(made.ExitCode, 0) << made.ErrLines.join(u'\n').toStdString();
    const QString uri = server->CreateDatabase();

    const TRun there = runDb({QStringLiteral("copy"), file, uri});
    ASSERT_EQ(there.ExitCode, 0) << there.ErrLines.join(u'\n').toStdString();
    EXPECT_EQ(runDb({QStringLiteral("check"), uri}).ExitCode, 0);
    const QStringList original = office(file);
    EXPECT_EQ(office(uri), original);

    const QString back = dir.filePath(QStringLiteral("back.sqlite"));
    const TRun home = runDb({QStringLiteral("copy"), uri, back});
    ASSERT_EQ(home.ExitCode, 0) << home.ErrLines.join(u'\n').toStdString();
    EXPECT_EQ(office(back), original);

    if (GetParam().CompareReports) {
        const QStringList fromFile = layoutOf(file, dir.filePath(QStringLiteral("file.txt")));
        EXPECT_FALSE(fromFile.isEmpty());
        EXPECT_EQ(layoutOf(uri, dir.filePath(QStringLiteral("server.txt"))), fromFile);
    }

    TConnection connection(uri);
    connection.Open();
    const qint64 id =
        connection.Engine().insert(QStringLiteral("tblOrders"), {QStringLiteral("counts")}, {1});
    EXPECT_EQ(QString::number(id),
              rows(connection, QStringLiteral("SELECT max(id) FROM tblOrders")).value(0));
    EXPECT_EQ(rows(connection, QStringLiteral("SELECT count(*) FROM tblOrders WHERE id = %1").arg(id)),
              QStringList{"1"});
}

INSTANTIATE_TEST_SUITE_P(Offices, CopyTest,
                         ::testing::Values(TCopyCase{"Demo", QStringLiteral("demo"), {}, true},
                                           TCopyCase{"Generated",
                                                     QStringLiteral("generate"),
                                                     {QStringLiteral("--sales"), QStringLiteral("100000")},
                                                     false}),
                         [](const ::testing::TestParamInfo<TCopyCase>& info) {
                             return std::string(info.param.Name);
                         });

// The set-up commands take a server's URI as they take a file; a database
// that already holds tables is never written over, and nothing half-made
// stays when a copy is refused.
TEST(ServerToolsTest, SetUpCommandsWorkOnAServer) {
    TPgServer* server = TPgServer::Instance();
    ASSERT_NE(server, nullptr) << TPgServer::StartError().toStdString();
    const QString uri = server->CreateDatabase();
    const TRun demo = runDb({QStringLiteral("demo"), uri});
    ASSERT_EQ(demo.ExitCode, 0) << demo.ErrLines.join(u'\n').toStdString();
    const TRun check = runDb({QStringLiteral("check"), uri});
    EXPECT_EQ(check.ExitCode, 0) << check.Out.toStdString() << check.ErrLines.join(u'\n').toStdString();
    EXPECT_EQ(office(uri).first(), QStringLiteral("tblSotrudnik 15|15"));

    const TRun again = runDb({QStringLiteral("init"), uri});
    EXPECT_EQ(again.ExitCode, 1);
    EXPECT_EQ(again.ErrLines.size(), 1);

    const QString empty = server->CreateDatabase();
    const TRun broken = runDb({QStringLiteral("copy"), QStringLiteral("/nonexistent/office.sqlite"), empty});
    EXPECT_EQ(broken.ExitCode, 1);
    TConnection connection(empty);
    connection.Open();
    EXPECT_TRUE(connection.Engine().describe().isEmpty());

    const QString unreachable = QStringLiteral("postgresql://postgres@%2Fnonexistent/office");
    const TRun lost = runDb({QStringLiteral("check"), unreachable});
    EXPECT_EQ(lost.ExitCode, 1);
    ASSERT_EQ(lost.ErrLines.size(), 1);
    EXPECT_TRUE(lost.ErrLines[0].contains(QStringLiteral("/nonexistent"))) << lost.ErrLines[0].toStdString();
}
