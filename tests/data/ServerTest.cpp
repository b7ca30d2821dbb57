#include "tests/support/DataModulesFixture.h"

#include "data/SoldOut.h"
#include "tests/support/PgServer.h"

// What a desk meets on a shared server and not on a file of its own.
class ServerTest : public DataModulesFixture {
protected:
    ServerTest() : DataModulesFixture(TEngineKind::Server) {}

    void SetUp() override {
        DataModulesFixture::SetUp();
        createModules();
        ASSERT_TRUE(openErrors.isEmpty()) << openErrors.join(QLatin1Char('\n')).toStdString();
    }

    void typeSale(int flightId) {
        orders->tbl->Append();
        orders->tbl->FieldByName(QStringLiteral("flight_id"))->SetAsInteger(flightId);
        orders->tbl->FieldByName(QStringLiteral("clients_id"))->SetAsInteger(2);
        orders->tbl->FieldByName(QStringLiteral("card_id"))->SetAsInteger(7);
    }

    int storedSales() { return db.Scalar(QStringLiteral("SELECT count(*) FROM tblOrders")).toInt(); }

    // Ends every session on the test's database, as a server restart or a
    // broken line would; the modules' connection is among them.
    void cutSessions() {
        TConnection admin(db.Path());
        admin.Open();
        admin.Engine().execute(
            {QStringLiteral("SELECT pg_terminate_backend(pid) FROM pg_stat_activity "
                            "WHERE datname = current_database() AND pid <> pg_backend_pid()")});
    }

    // The test's database, for the desk's account.
    QString deskUri(const QString& password) const {
        return TPgServer::Instance()->Uri(db.Path().section(u'/', -1), QLatin1String(TPgServer::DeskUser),
                                          password);
    }
};

// The action under way fails with a clear message and writes nothing; the
// typed sale stays, and the next action makes the connection again.
TEST_F(ServerTest, ConnectionLostMidWorkFailsTheActionAndTheNextOneReconnects) {
    const int before = storedSales();
    typeSale(12);
    cutSessions();
    try {
        orders->tbl->Post();
        FAIL() << "the sale was written over a lost connection";
    } catch (const EDatabaseError& error) {
        EXPECT_TRUE(error.Message().startsWith(QStringLiteral("Связь с сервером базы данных потеряна")))
            << error.what();
    }
    EXPECT_EQ(storedSales(), before);
    EXPECT_EQ(orders->tbl->State(), TDataSetState::Insert);

    orders->tbl->Post();
    EXPECT_EQ(storedSales(), before + 1);
    EXPECT_EQ(leavings->GetBalance(12), 208);
}

// Reading goes the same way: the reading that meets the broken line fails and
// leaves the table closed; the next one reconnects and shows the server's rows.
TEST_F(ServerTest, ReopeningAfterALostConnectionReadsTheServerAgain) {
    cutSessions();
    route->initTable(false);
    EXPECT_THROW(route->initTable(true), EDatabaseError);
    EXPECT_FALSE(route->tbl->Active());
    route->initTable(true);
    EXPECT_EQ(route->tbl->RecordCount(), 4);
}

TEST_F(ServerTest, WrongPasswordIsRefusedInTheServersWords) {
    TConnection wrong(deskUri(QStringLiteral("wrong")));
    try {
        wrong.Open();
        FAIL() << "a wrong password was let in";
    } catch (const EDatabaseError& error) {
        EXPECT_TRUE(error.Message().contains(QStringLiteral("password authentication failed")))
            << error.what();
    }
    EXPECT_FALSE(wrong.Connected());

    // The right password lets the desk in; without rights on the sales it may
    // only read, as on a file it may not write.
    TConnection right(deskUri(QLatin1String(TPgServer::DeskPassword)));
    right.Open();
    EXPECT_TRUE(right.ReadOnly());
    EXPECT_FALSE(right.DisplayName().contains(QLatin1String(TPgServer::DeskPassword)));
}

TEST_F(ServerTest, SeatsOfTheFlightAreLockedOnlyUntilTheSaleEnds) {
    db.Exec({QStringLiteral("UPDATE tblAir SET seats = 2 WHERE id = 1")});
    typeSale(12);
    orders->tbl->Post();
    typeSale(12);
    EXPECT_THROW(orders->tbl->Post(), ESoldOut);
    orders->tbl->Cancel();
    // Another desk may lock the flight at once: neither the sale nor the
    // refusal left the lock behind.
    TConnection other(db.Path());
    other.Open();
    other.Engine().execute({QStringLiteral("SET lock_timeout = '1s'")});
    other.Engine().begin();
    EXPECT_NO_THROW(other.Engine().lockRow(QStringLiteral("tblFlight"), 12));
    other.Engine().rollback();
}

// The reading tools open a server database only to read: the session itself
// refuses every change, whatever rights the account has, so a fault in a tool
// can never write to an office's shared data.
TEST_F(ServerTest, OpenedOnlyToReadTheSessionRefusesEveryChange) {
    TConnection reading(db.Path(), TOpenMode::ReadOnly);
    reading.Open();
    EXPECT_TRUE(reading.ReadOnly());
    TDatabaseEngine& engine = reading.Engine();
    EXPECT_THROW(
        engine.insert(QStringLiteral("tblCard"), {QStringLiteral("names")}, {QStringLiteral("Новый")}),
        EDatabaseError);
    EXPECT_THROW(engine.execute({QStringLiteral("DELETE FROM tblOrders")}), EDatabaseError);
    EXPECT_THROW(engine.remove(QStringLiteral("tblOrders"), 5), EDatabaseError);
    EXPECT_EQ(db.Scalar(QStringLiteral("SELECT count(*) FROM tblCard")).toInt(), 9);
    EXPECT_EQ(storedSales(), 2);
    EXPECT_EQ(engine.select(QStringLiteral("SELECT count(*) FROM tblOrders"))->step(), true)
        << "reading still works";
}
