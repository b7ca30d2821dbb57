#include "tests/support/TempDatabase.h"

#include <QFile>
#include <QProcess>
#include <QSet>
#include <QSqlQuery>
#include <QStringList>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

namespace {

// One sale_worker process selling on the test's database.
class TWorker {
public:
    TWorker(const QString& database, int flightId, int attempts) {
        FProcess.setProgram(QStringLiteral(SALE_WORKER));
        FProcess.setArguments({database, QString::number(flightId), QString::number(attempts)});
        FProcess.start();
    }
    ~TWorker() {
        if (FProcess.state() != QProcess::NotRunning) {
            FProcess.kill();
            FProcess.waitForFinished();
        }
    }

    // True once the worker has opened the file and waits for the start.
    bool waitReady() {
        while (!FProcess.canReadLine()) {
            if (!FProcess.waitForReadyRead(20000)) {
                return false;
            }
        }
        return FProcess.readLine().trimmed() == "ready";
    }
    // Sends the start at once: a written line otherwise waits in the buffer
    // until this process next waits for the worker, and the workers would run
    // one after another.
    void start() {
        FProcess.write("go\n");
        FProcess.waitForBytesWritten();
    }

    // The worker's lines after "ready"; empty when it did not end in time or
    // ended with an error.
    QStringList results() {
        if (!FProcess.waitForFinished(240000) || FProcess.exitStatus() != QProcess::NormalExit) {
            ADD_FAILURE() << "a worker did not finish";
            return {};
        }
        const QString output = QString::fromUtf8(FProcess.readAllStandardOutput());
        EXPECT_EQ(FProcess.exitCode(), 0)
            << output.toStdString() << FProcess.readAllStandardError().toStdString();
        return output.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    }

private:
    QProcess FProcess;
};

struct TRaceCase {
    TEngineKind Engine;
    int Workers;
    int AttemptsEach;
    int SeatsLeft;
};

std::ostream& operator<<(std::ostream& out, const TRaceCase& race) {
    return out << race.Engine << "_" << race.Workers << "x" << race.AttemptsEach;
}

class SaleConcurrencyTest : public ::testing::TestWithParam<TRaceCase> {};

} // namespace

// Offices sell on one flight with its last seats left, each from its own
// process and all at once, many more attempts than seats: exactly as many
// sales as seats get through, every other attempt is refused as sold out, and
// the database stays sound.
TEST_P(SaleConcurrencyTest, ProcessesSellingAtOnceNeverOversellAFlight) {
    const TRaceCase race = GetParam();
    TTempDatabase db(race.Engine);
    db.Exec({QStringLiteral("INSERT INTO tblRoute (id, airStart, airTarget, price, times) "
                            "VALUES (1, 'Москва', 'Сочи', 4500, 150)"),
             QStringLiteral("INSERT INTO tblAir (id, bortNum, model, isActive, seats) "
                            "VALUES (1, 'RA-64001', 'Ту-204', '1', %1)")
                 .arg(race.SeatsLeft + 5),
             QStringLiteral("INSERT INTO tblFlight (id, air_id, route_id, dateStart, isActive) VALUES "
                            "(1, 1, 1, '2026-12-25 00:00:00', '1'), (2, 1, 1, '2026-12-26 00:00:00', '1')"),
             QStringLiteral("INSERT INTO tblClients (id, fam) VALUES (1, 'Сидоров')"),
             QStringLiteral("INSERT INTO tblCard (id, names, percent) VALUES (1, 'Эконом', '0')"),
             QStringLiteral("INSERT INTO tblOrders (flight_id, clients_id, card_id, counts) VALUES "
                            "(1, 1, 1, 1), (1, 1, 1, 1), (1, 1, 1, 1), (1, 1, 1, 1), (1, 1, 1, 1)")});
    ASSERT_EQ(db.Scalar(QStringLiteral("SELECT balance FROM leavings WHERE flight_id = 1")).toInt(),
              race.SeatsLeft);

    std::vector<std::unique_ptr<TWorker>> workers;
    for (int i = 0; i < race.Workers; ++i) {
        workers.push_back(std::make_unique<TWorker>(db.Path(), 1, race.AttemptsEach));
    }
    for (auto& worker : workers) {
        ASSERT_TRUE(worker->waitReady());
    }
    for (auto& worker : workers) {
        worker->start();
    }
    QSet<int> soldIds;
    int refused = 0;
    QStringList others;
    for (auto& worker : workers) {
        for (const QString& line : worker->results()) {
            if (line.startsWith(QStringLiteral("sold "))) {
                soldIds.insert(line.mid(5).toInt());
            } else if (line == QStringLiteral("refused На данный рейс нет билетов!")) {
                ++refused;
            } else {
                others << line;
            }
        }
    }
    EXPECT_EQ(soldIds.size(), race.SeatsLeft);
    EXPECT_EQ(refused, race.Workers * race.AttemptsEach - race.SeatsLeft);
    EXPECT_TRUE(others.isEmpty()) << others.join(QLatin1Char('\n')).toStdString();

    EXPECT_EQ(db.Scalar(QStringLiteral("SELECT count(*) FROM tblOrders WHERE flight_id = 1")).toInt(),
              race.SeatsLeft + 5);
    EXPECT_EQ(db.Scalar(QStringLiteral("SELECT count(*) FROM tblOrders WHERE id > 5")).toInt(),
              race.SeatsLeft);
    EXPECT_EQ(db.Scalar(QStringLiteral("SELECT min(balance) FROM leavings")).toInt(), 0);
    EXPECT_EQ(db.Scalar(QStringLiteral("SELECT balance FROM leavings WHERE flight_id = 2")).toInt(),
              race.SeatsLeft + 5);
    if (race.Engine == TEngineKind::File) {
        EXPECT_EQ(db.Scalar(QStringLiteral("PRAGMA integrity_check")).toString(), QStringLiteral("ok"));
    }
}

// The file: five offices, ten seats. The server: eight desks, 1,000 attempts
// each, on the last 50 seats.
INSTANTIATE_TEST_SUITE_P(Races, SaleConcurrencyTest,
                         ::testing::Values(TRaceCase{TEngineKind::File, 5, 10, 10},
                                           TRaceCase{TEngineKind::Server, 8, 1000, 50}),
                         ::testing::PrintToStringParamName());

// On a file it may not write, a worker's every attempt is refused with the
// engine's answer and the worker ends as it should, never by an abort.
TEST(SaleConcurrencyTest, WorkerOnAReadOnlyFileAnswersEveryAttempt) {
    TTempDatabase db;
    db.Exec({QStringLiteral("INSERT INTO tblClients (id, fam) VALUES (1, 'Сидоров')")});
    ASSERT_TRUE(QFile::setPermissions(db.Path(), QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
    QProcess worker;
    worker.start(QStringLiteral(SALE_WORKER), {db.Path(), QStringLiteral("1"), QStringLiteral("2")});
    ASSERT_TRUE(worker.waitForStarted());
    worker.write("go\n");
    ASSERT_TRUE(worker.waitForFinished(60000));
    EXPECT_EQ(worker.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(worker.exitCode(), 1);
    const QStringList lines =
        QString::fromUtf8(worker.readAllStandardOutput()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 3) << lines.join(QLatin1Char('|')).toStdString();
    EXPECT_EQ(lines[0], QStringLiteral("ready"));
    for (const QString& line : lines.mid(1))
        EXPECT_TRUE(line.startsWith(QStringLiteral("error "))) << line.toStdString();
}
