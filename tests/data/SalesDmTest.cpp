#include "tests/support/DataModulesFixture.h"

class SalesDmTest : public DataModulesFixture, public ::testing::WithParamInterface<TEngineKind> {
protected:
    SalesDmTest() : DataModulesFixture(GetParam()) {}

    void SetUp() override {
        DataModulesFixture::SetUp();
        createModules();
        ASSERT_TRUE(openErrors.isEmpty()) << openErrors.join(QLatin1Char('\n')).toStdString();
    }

    // Writes a sale and returns its id.
    int sell(const QVariant& flightId, const QVariant& cardId, int counts = 1) {
        orders->tbl->Append();
        orders->tbl->FieldByName(QStringLiteral("flight_id"))->SetValue(flightId);
        orders->tbl->FieldByName(QStringLiteral("clients_id"))->SetAsInteger(1);
        orders->tbl->FieldByName(QStringLiteral("card_id"))->SetValue(cardId);
        orders->tbl->FieldByName(QStringLiteral("counts"))->SetAsInteger(counts);
        orders->tbl->Post();
        return orders->tbl->FieldByName(QStringLiteral("id"))->AsInteger();
    }

    QVariant itogo() const { return orders->tbl->FieldByName(QStringLiteral("itogo"))->Value(); }

    // The seats the reread `leavings` list shows for a flight.
    double listedBalance(int flightId) {
        locate(leavings->tbl, flightId, QStringLiteral("flight_id"));
        return leavings->tbl->FieldByName(QStringLiteral("balance"))->AsFloat();
    }
};

// Flight 3 is on route 2 with the fare 4500.
TEST_P(SalesDmTest, PriceIsTheFarePlusAMarkupAboveZero) {
    const std::pair<QVariant, double> cases[] = {
        {7, 4950},          // 10
        {3, 5062.5},        // 12,5
        {2, 6750},          // 50
        {1, 4500},          // 0
        {4, 4500},          // -5
        {6, 4500},          // empty markup
        {5, 4500},          // "abc" is no number
        {8, 4500},          // "inf" is no money
        {9, 4500},          // "1e300" is too large for money
        {QVariant(), 4500}, // no ticket type
        {99, 4500},         // a ticket type deleted since
    };
    for (const auto& [cardId, price] : cases) {
        SCOPED_TRACE(cardId.toString().toStdString());
        sell(3, cardId);
        EXPECT_EQ(itogo().toDouble(), price);
    }
}

TEST_P(SalesDmTest, PriceFollowsTheRouteOfTheFlight) {
    sell(12, 7); // route 7: 4500,5 + 10% = 4950,55
    EXPECT_DOUBLE_EQ(itogo().toDouble(), 4950.55);
    // Flights without a fare have no seats to sell either; their price shows
    // on the sale being entered.
    orders->tbl->Append();
    orders->tbl->FieldByName(QStringLiteral("card_id"))->SetAsInteger(7);
    orders->tbl->FieldByName(QStringLiteral("flight_id"))->SetAsInteger(4); // a route that does not exist
    EXPECT_EQ(itogo().toDouble(), 0);
    orders->tbl->FieldByName(QStringLiteral("flight_id"))->SetAsInteger(999); // no such flight
    EXPECT_EQ(itogo().toDouble(), 0);
    EXPECT_EQ(text(orders->tbl, QStringLiteral("flight.ToString")), QString());
    orders->tbl->Cancel();
}

TEST_P(SalesDmTest, PriceOfASaleBeingEnteredFollowsWhatIsTyped) {
    orders->tbl->Append();
    EXPECT_EQ(itogo().toDouble(), 0);
    orders->tbl->FieldByName(QStringLiteral("flight_id"))->SetAsInteger(3);
    EXPECT_EQ(itogo().toDouble(), 4500);
    orders->tbl->FieldByName(QStringLiteral("card_id"))->SetAsInteger(2);
    EXPECT_EQ(itogo().toDouble(), 6750);
    EXPECT_EQ(orders->tbl->FieldByName(QStringLiteral("counts"))->AsInteger(), 1);
}

TEST_P(SalesDmTest, TicketCountDoesNotEnterThePrice) {
    sell(3, 7, 5);
    EXPECT_EQ(itogo().toDouble(), 4950);
}

TEST_P(SalesDmTest, BalanceFollowsEverySaleWrittenOrDeleted) {
    // Flight 12 flies airliner 1 with 210 seats; sale 2 took one of them.
    EXPECT_EQ(leavings->GetBalance(12), 209);
    EXPECT_EQ(listedBalance(12), 209);
    const int id = sell(12, 2, 3);
    EXPECT_EQ(leavings->GetBalance(12), 206);
    EXPECT_EQ(listedBalance(12), 206);
    EXPECT_EQ(leavings->tbl->Sort(), QStringLiteral("flight_id"));

    locate(orders->tbl, id);
    orders->tbl->Edit();
    orders->tbl->FieldByName(QStringLiteral("counts"))->SetAsInteger(10);
    orders->tbl->Post();
    EXPECT_EQ(leavings->GetBalance(12), 199);
    EXPECT_EQ(listedBalance(12), 199);

    locate(orders->tbl, id);
    orders->tbl->Delete();
    EXPECT_EQ(leavings->GetBalance(12), 209);
    EXPECT_EQ(listedBalance(12), 209);
    EXPECT_EQ(column(leavings->tbl, QStringLiteral("flight_id")), QStringList({"3", "4", "12"}));
}

TEST_P(SalesDmTest, BalanceOfAFlightWithoutARowIsZero) {
    EXPECT_EQ(leavings->GetBalance(999), 0);
    EXPECT_TRUE(leavings->balance->Active());
    EXPECT_EQ(leavings->GetBalance(4), 300); // a flight without sales keeps its airliner's seats
}

TEST_P(SalesDmTest, BalanceReadsSalesWrittenByAnotherProgram) {
    db.Exec({QStringLiteral(
        "INSERT INTO tblOrders (flight_id, clients_id, card_id, counts) VALUES (4, 1, 1, 7)")});
    EXPECT_EQ(leavings->GetBalance(4), 293);
}

// The seat list is reread after the sale is written; when that fails, the
// error reaches the saver although the sale is stored.
TEST_P(SalesDmTest, FailedRereadOfTheSeatListReachesTheSaver) {
    leavings->tbl->Close();
    leavings->tbl->AddDataField(QStringLiteral("no_such_column"), TFieldType::Integer);
    EXPECT_THROW(sell(3, 1), EDatabaseError);
    EXPECT_EQ(db.Scalar(QStringLiteral("SELECT COUNT(*) FROM tblOrders WHERE flight_id = 3")).toInt(), 2);
    EXPECT_FALSE(leavings->tbl->Active());
}

// Without the seat list the seats cannot be counted, and a sale is not written.
TEST_P(SalesDmTest, SaleIsNotWrittenWhenTheSeatsCannotBeCounted) {
    db.Exec({QStringLiteral("DROP VIEW leavings")});
    EXPECT_THROW(sell(3, 1), EDatabaseError);
    EXPECT_EQ(db.Scalar(QStringLiteral("SELECT COUNT(*) FROM tblOrders WHERE flight_id = 3")).toInt(), 1);
    EXPECT_EQ(orders->tbl->State(), TDataSetState::Insert);
    EXPECT_THROW(leavings->GetBalance(3), EDatabaseError);
}

// A balance that is not whole rounds half to even; a view that gives such
// balances stands in for the database's own.
class FractionalBalanceTest : public DataModulesFixture {
protected:
    void SetUp() override {
        DataModulesFixture::SetUp();
        db.Exec({QStringLiteral("INSERT INTO tblFlight (id, dateStart) VALUES (20, '2020-01-01 00:00:00')"),
                 QStringLiteral("DROP VIEW leavings"),
                 QStringLiteral(
                     "CREATE VIEW leavings AS SELECT id AS flight_id, air_id, dateStart, timeStart, "
                     "isActive AS \"tblFlight.isActive\", NULL AS airStart, NULL AS airTarget, "
                     "NULL AS price, NULL AS times, NULL AS bortNum, NULL AS model, NULL AS date_create, "
                     "NULL AS lifetime, NULL AS \"tblAir.isActive\", NULL AS seats, 0.0 AS expenditure, "
                     "CASE id WHEN 3 THEN 2.5 WHEN 4 THEN 3.5 WHEN 12 THEN NULL WHEN 20 THEN -0.5 "
                     "END AS balance FROM tblFlight")});
        createModules();
        ASSERT_TRUE(openErrors.isEmpty()) << openErrors.join(QLatin1Char('\n')).toStdString();
    }
};

TEST_F(FractionalBalanceTest, HalvesGoToTheEvenNeighbour) {
    EXPECT_EQ(leavings->GetBalance(3), 2);
    EXPECT_EQ(leavings->GetBalance(4), 4);
    EXPECT_EQ(leavings->GetBalance(12), 0); // empty balance
    EXPECT_EQ(leavings->GetBalance(20), 0); // -0,5 is no seat either way
}

INSTANTIATE_TEST_SUITE_P(Engines, SalesDmTest, BothEngines, ::testing::PrintToStringParamName());
