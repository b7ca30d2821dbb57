#include "DataSetFixture.h"
#include "tests/support/DataModulesFixture.h"

#include "data/SoldOut.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <chrono>
#include <future>
#include <thread>

namespace {

// A connection of another program on the same file that never waits for a
// lock, so a held lock shows at once as a refusal.
class TImpatientWriter {
public:
    explicit TImpatientWriter(const QString& path) : FName(QStringLiteral("impatient")) {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), FName);
        db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=0"));
        db.setDatabaseName(path);
        db.open();
    }
    ~TImpatientWriter() {
        QSqlDatabase::database(FName, false).close();
        QSqlDatabase::removeDatabase(FName);
    }

    // Whether a row could be written right now.
    bool canWrite() {
        QSqlQuery query(QSqlDatabase::database(FName, false));
        return query.exec(QStringLiteral("INSERT INTO tblCard (names) VALUES ('чужой')"));
    }

private:
    QString FName;
};

} // namespace

// Airliner 1 gets 3 seats; flight 12 flies it and already has sale 2 of one
// ticket, so two seats are left on it.
class SaleTestBase : public DataModulesFixture {
protected:
    using DataModulesFixture::DataModulesFixture;

    void SetUp() override {
        DataModulesFixture::SetUp();
        db.Exec({QStringLiteral("UPDATE tblAir SET seats = 3 WHERE id = 1")});
        createModules();
        ASSERT_TRUE(openErrors.isEmpty()) << openErrors.join(QLatin1Char('\n')).toStdString();
    }

    // Types a new sale on `flightId` as the registration window leaves it.
    void typeSale(int flightId, const QString& seat = QStringLiteral("7C")) {
        orders->tbl->Append();
        orders->tbl->FieldByName(QStringLiteral("flight_id"))->SetAsInteger(flightId);
        orders->tbl->FieldByName(QStringLiteral("clients_id"))->SetAsInteger(2);
        orders->tbl->FieldByName(QStringLiteral("card_id"))->SetAsInteger(7);
        orders->tbl->FieldByName(QStringLiteral("mesto"))->SetAsString(seat);
    }

    int storedSales(int flightId) {
        return db.Scalar(QStringLiteral("SELECT count(*) FROM tblOrders WHERE flight_id = %1").arg(flightId))
            .toInt();
    }

    // Posts the typed sale and returns the refusal's text, empty when written.
    QString trySale() {
        try {
            orders->tbl->Post();
        } catch (const ESoldOut& e) {
            return e.Message();
        }
        return {};
    }
};

class SaleTest : public SaleTestBase, public ::testing::WithParamInterface<TEngineKind> {
protected:
    SaleTest() : SaleTestBase(GetParam()) {}
};

TEST_P(SaleTest, SellsWhileSeatsAreLeftAndRefusesTheNext) {
    typeSale(12, QStringLiteral("1A"));
    EXPECT_EQ(trySale(), QString());
    typeSale(12, QStringLiteral("1B"));
    EXPECT_EQ(trySale(), QString());
    EXPECT_EQ(storedSales(12), 3);
    EXPECT_EQ(orders->tbl->State(), TDataSetState::Browse);
    EXPECT_EQ(text(orders->tbl, QStringLiteral("mesto")), QStringLiteral("1B"));
    EXPECT_EQ(leavings->GetBalance(12), 0);

    const int listed = orders->tbl->RecordCount();
    typeSale(12, QStringLiteral("1C"));
    EXPECT_EQ(trySale(), QStringLiteral("На данный рейс нет билетов!"));
    EXPECT_EQ(storedSales(12), 3);
    EXPECT_EQ(orders->tbl->RecordCount(), listed);
    // The refused sale stays as typed, so the cashier may choose another flight.
    EXPECT_EQ(orders->tbl->State(), TDataSetState::Insert);
    EXPECT_TRUE(orders->tbl->Modified());
    EXPECT_EQ(text(orders->tbl, QStringLiteral("mesto")), QStringLiteral("1C"));
    orders->tbl->FieldByName(QStringLiteral("flight_id"))->SetAsInteger(4);
    EXPECT_EQ(trySale(), QString());
    EXPECT_EQ(storedSales(4), 1);
}

TEST_P(SaleTest, FlightWithoutASeatRowIsRefused) {
    for (const int flightId : {999, 0}) {
        SCOPED_TRACE(flightId);
        typeSale(flightId);
        EXPECT_EQ(trySale(), QStringLiteral("На данный рейс нет билетов!"));
        orders->tbl->Cancel();
    }
    EXPECT_EQ(db.Scalar(QStringLiteral("SELECT count(*) FROM tblOrders")).toInt(), 2);
}

TEST_P(SaleTest, DeletedSaleFreesItsSeat) {
    for (const QString& seat : {QStringLiteral("1A"), QStringLiteral("1B")}) {
        typeSale(12, seat);
        ASSERT_EQ(trySale(), QString());
    }
    typeSale(12);
    ASSERT_EQ(trySale(), QStringLiteral("На данный рейс нет билетов!"));
    orders->tbl->Cancel();
    locate(orders->tbl, 2);
    orders->tbl->Delete();
    typeSale(12);
    EXPECT_EQ(trySale(), QString());
    EXPECT_EQ(storedSales(12), 3);
}

// The rows this program read at start-up know nothing of the sales another
// office wrote since; the count at the write does.
TEST_P(SaleTest, SalesOfAnotherProgramAreCounted) {
    TConnection other(db.Path());
    other.Open();
    other.Engine().execute({QStringLiteral("INSERT INTO tblOrders (flight_id, clients_id, card_id, counts) "
                                           "VALUES (12, 1, 1, 1), (12, 2, 1, 1)")});
    typeSale(12);
    EXPECT_EQ(trySale(), QStringLiteral("На данный рейс нет билетов!"));
    EXPECT_EQ(storedSales(12), 3);
}

// The race of two offices, played out in a fixed order: the other office has
// written the last seat's sale but not yet committed it when this one saves.
// Counting the seats before taking the lock would still see a seat left and
// then write a sale too many; counted under the lock, the sale waits for the
// other office and is refused.
TEST_P(SaleTest, SaleWaitsForAnotherOfficesUncommittedLastSeat) {
    db.Exec({QStringLiteral("UPDATE tblAir SET seats = 2 WHERE id = 1")});
    std::promise<bool> written;
    std::thread otherOffice([&] {
        TConnection other(db.Path());
        other.Open();
        TDatabaseEngine& engine = other.Engine();
        engine.begin();
        engine.lockRow(QStringLiteral("tblFlight"), 12);
        engine.insert(QStringLiteral("tblOrders"), {"flight_id", "clients_id", "card_id", "counts"},
                      {12, 1, 1, 1});
        written.set_value(true);
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        engine.commit();
    });
    ASSERT_TRUE(written.get_future().get());
    typeSale(12);
    EXPECT_EQ(leavings->GetBalance(12), 1) << "the other sale is not committed yet";
    EXPECT_EQ(trySale(), QStringLiteral("На данный рейс нет билетов!"));
    otherOffice.join();
    EXPECT_EQ(storedSales(12), 2);
}

// Waiting for the file's lock is the file's own matter.
class FileSaleTest : public SaleTest {};

// The refusal rolls its transaction back: the lock is free for other
// programs, and the check belongs to the sale being registered only.
TEST_P(FileSaleTest, RefusalReleasesTheLockAndLeavesOtherWritesAlone) {
    db.Exec({QStringLiteral("UPDATE tblAir SET seats = 1 WHERE id = 1")});
    typeSale(12);
    ASSERT_EQ(trySale(), QStringLiteral("На данный рейс нет билетов!"));
    TImpatientWriter other(db.Path());
    EXPECT_TRUE(other.canWrite());

    orders->tbl->Cancel();
    locate(orders->tbl, 2);
    orders->tbl->Edit();
    orders->tbl->FieldByName(QStringLiteral("mesto"))->SetAsString(QStringLiteral("9F"));
    EXPECT_EQ(trySale(), QString()); // a sale left on its flight keeps the seat it holds
    EXPECT_EQ(db.Scalar(QStringLiteral("SELECT mesto FROM tblOrders WHERE id = 2")).toString(),
              QStringLiteral("9F"));
}

INSTANTIATE_TEST_SUITE_P(Engines, SaleTest, BothEngines, ::testing::PrintToStringParamName());
INSTANTIATE_TEST_SUITE_P(File, FileSaleTest, ::testing::Values(TEngineKind::File),
                         ::testing::PrintToStringParamName());

// Every write of a stored sale is checked against the seats of the flight it
// ends up on, whoever writes it. With two seats on airliner 1, flight 12 has
// one seat left (sale 2 holds the other) and flight 3 none (sale 5 holds both
// with two tickets); flight 4 flies an airliner of 300 seats.
struct TSaleChange {
    const char* Name;
    int Sale;
    int Flight;
    int Counts;
    bool Refused;
};

class SaleChangeTest : public SaleTestBase, public ::testing::WithParamInterface<TSaleChange> {};

TEST_P(SaleChangeTest, StoredSaleIsWrittenOnlyWithinTheSeatsOfItsFlight) {
    const TSaleChange& change = GetParam();
    db.Exec({QStringLiteral("UPDATE tblAir SET seats = 2 WHERE id = 1")});
    const QString before = db.Scalar(QStringLiteral("SELECT flight_id || '/' || counts || '/' || mesto "
                                                    "FROM tblOrders WHERE id = %1")
                                         .arg(change.Sale))
                               .toString();
    locate(orders->tbl, change.Sale);
    orders->tbl->Edit();
    orders->tbl->FieldByName(QStringLiteral("flight_id"))->SetAsInteger(change.Flight);
    orders->tbl->FieldByName(QStringLiteral("counts"))->SetAsInteger(change.Counts);
    orders->tbl->FieldByName(QStringLiteral("mesto"))->SetAsString(QStringLiteral("5E"));
    const QString stored = QStringLiteral("SELECT flight_id || '/' || counts || '/' || mesto FROM tblOrders "
                                          "WHERE id = %1")
                               .arg(change.Sale);
    if (change.Refused) {
        EXPECT_EQ(trySale(), QStringLiteral("На данный рейс нет билетов!"));
        EXPECT_EQ(db.Scalar(stored).toString(), before);
        EXPECT_EQ(orders->tbl->State(), TDataSetState::Edit);
    } else {
        EXPECT_EQ(trySale(), QString());
        EXPECT_EQ(db.Scalar(stored).toString(),
                  QStringLiteral("%1/%2/5E").arg(change.Flight).arg(change.Counts));
    }
}

INSTANTIATE_TEST_SUITE_P(Sales, SaleChangeTest,
                         ::testing::Values(TSaleChange{"MovedOntoASoldOutFlight", 2, 3, 1, true},
                                           TSaleChange{"MovedWithMoreTicketsThanSeatsLeft", 5, 12, 2, true},
                                           TSaleChange{"MovedOntoAFlightWithRoom", 5, 4, 2, false},
                                           TSaleChange{"SeatChangedOnAFullFlight", 5, 3, 2, false},
                                           TSaleChange{"FewerTicketsOnAFullFlight", 5, 3, 1, false},
                                           TSaleChange{"OneMoreTicketWhereOneSeatIsLeft", 2, 12, 2, false},
                                           TSaleChange{"TwoMoreTicketsWhereOneSeatIsLeft", 2, 12, 3, true}),
                         [](const auto& info) { return std::string(info.param.Name); });

// A check bound to BeforeWrite runs with the write lock held and before the
// row is written; throwing from it writes nothing.
TEST_F(DataSetFixture, BeforeWriteRunsUnderTheWriteLock) {
    staff.Open();
    TImpatientWriter other(db.Path());
    bool lockedOut = false;
    int storedBefore = -1;
    staff.BeforeWrite = [&](TDataSet*) {
        lockedOut = !other.canWrite();
        storedBefore = db.Scalar(QStringLiteral("SELECT count(*) FROM tblSotrudnik")).toInt();
    };
    staff.Append();
    staff.FieldByName(QStringLiteral("fam"))->SetAsString(QStringLiteral("Новиков"));
    staff.Post();
    EXPECT_TRUE(lockedOut);
    EXPECT_EQ(storedBefore, 4);
    EXPECT_EQ(db.Scalar(QStringLiteral("SELECT count(*) FROM tblSotrudnik")).toInt(), 5);
    EXPECT_TRUE(other.canWrite());

    staff.BeforeWrite = [](TDataSet*) { throw EDatabaseError(QStringLiteral("not now")); };
    staff.Edit();
    staff.FieldByName(QStringLiteral("fam"))->SetAsString(QStringLiteral("Отказ"));
    EXPECT_THROW(staff.Post(), EDatabaseError);
    EXPECT_EQ(staff.State(), TDataSetState::Edit);
    EXPECT_EQ(db.Scalar(QStringLiteral("SELECT count(*) FROM tblSotrudnik WHERE fam = 'Отказ'")).toInt(), 0);
    EXPECT_TRUE(other.canWrite());
}

// A write the engine refuses inside the transaction leaves neither the row
// nor an open transaction behind.
TEST_F(DataSetFixture, RefusedWriteRollsBackItsTransaction) {
    staff.Open();
    db.Exec({QStringLiteral("CREATE TRIGGER refuse BEFORE INSERT ON tblSotrudnik "
                            "BEGIN SELECT RAISE(ABORT, 'no more staff'); END")});
    staff.Append();
    staff.FieldByName(QStringLiteral("fam"))->SetAsString(QStringLiteral("Отказ"));
    EXPECT_THROW(staff.Post(), EDatabaseError);
    TImpatientWriter other(db.Path());
    EXPECT_TRUE(other.canWrite());
    staff.Cancel();
    staff.Edit();
    staff.FieldByName(QStringLiteral("stage"))->SetAsInteger(40);
    staff.Post();
    EXPECT_EQ(db.Scalar(QStringLiteral("SELECT max(stage) FROM tblSotrudnik")).toInt(), 40);
}
