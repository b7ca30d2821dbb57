#include "ListPattern.h"

#include "data/CardDm.h"
#include "data/ClientsDm.h"
#include "screens/Orders.h"
#include "ui/DBLookupComboBox.h"

#include <QDialog>
#include <QLineEdit>
#include <QSqlQuery>

TScreenCase salesScreen() {
    return {
        .Name = "sales",
        .Create =
            [](AllScreensFixture& f) {
                f.flightsList = flightsScreen().Create(f);
                return std::unique_ptr<TListForm>(createForm<TfrmOrders>(
                    f.orders, f.flight, f.clients, f.card, f.clientsList.get(), f.flightsList.get()));
            },
        .DataSet = [](AllScreensFixture& f) -> TDataSet* { return f.orders->tbl; },
        .Table = QStringLiteral("tblOrders"),
        .EditWindow = QStringLiteral("frmOrdersEdit"),
        .SaveButton = QStringLiteral("btnSave"),
        .CloseButton = QStringLiteral("BitBtn2"),
        .Valid = {{QStringLiteral("cbClient"), QStringLiteral("Орлов Антон Петрович")},
                  {QStringLiteral("cbFlight"), QStringLiteral("Рейс №1 |")},
                  {QStringLiteral("cbCard"), QStringLiteral("Бизнес")},
                  {QStringLiteral("editMesto"), QStringLiteral("2C")}},
        .KeyField = QStringLiteral("clients_id"),
        .KeyValue = QStringLiteral("2"),
        .FirstCheck = QStringLiteral("Выберите клиента"),
        .SortItem = QStringLiteral("mnuSortId"),
        .SortField = QStringLiteral("id"),
        .SearchBox = QStringLiteral("editKod"),
        .SearchText = QStringLiteral("99"),
        .ModifiedOnAdd = true,
        .Editable = false,
        .StoredAs = QStringLiteral(
            "flight_id || ' ' || clients_id || ' ' || card_id || ' ' || mesto || ' ' || counts"),
        .StoredText = QStringLiteral("1 2 2 2C 1"),
    };
}

INSTANTIATE_TEST_SUITE_P(
    Sales, FormCheck,
    ::testing::ValuesIn(checksOf(
        salesScreen(),
        {
            {{},
             "nothing chosen",
             {{QStringLiteral("cbClient"), {}},
              {QStringLiteral("cbFlight"), {}},
              {QStringLiteral("cbCard"), {}}},
             {QStringLiteral("Выберите клиента")}},
            {{}, "no client", {{QStringLiteral("cbClient"), {}}}, {QStringLiteral("Выберите клиента")}},
            {{}, "no flight", {{QStringLiteral("cbFlight"), {}}}, {QStringLiteral("Выберите рейс")}},
            {{}, "no ticket type", {{QStringLiteral("cbCard"), {}}}, {QStringLiteral("Выберите тип билета")}},
            {{},
             "sold out",
             {{QStringLiteral("cbFlight"), QStringLiteral("Рейс №4 |")}},
             {QStringLiteral("На данный рейс нет билетов!")}},
        })),
    [](const auto& info) { return caseName(info.param.Name); });

class OrdersScreen : public AllScreensFixture {
public:
    void SetUp() override {
        AllScreensFixture::SetUp();
        open(salesScreen());
    }

    TDataSet* ds() const { return orders->tbl; }
    // The seats the seat list, as last read, shows for a flight.
    double listedBalance(int flightId) const {
        TDataSet* seats = leavings->tbl;
        for (seats->First(); !seats->Eof(); seats->Next())
            if (seats->FieldByName(QStringLiteral("flight_id"))->AsInteger() == flightId)
                return seats->FieldByName(QStringLiteral("balance"))->AsFloat();
        return -1;
    }
    QString filter() const { return ds()->Filtered() ? ds()->Filter() : QString(); }
    QString clientText(int id) const { return textOf(clients->tbl, id, QStringLiteral("c_fio")); }
    QString flightText(int id) const { return textOf(flight->tbl, id, QStringLiteral("ToString")); }
    QString cardText(int id) const { return textOf(card->tbl, id, QStringLiteral("names")); }

    // Registers a sale with what is given (0: left unchosen) and saves it; the
    // window is then closed, answering No to any save question.
    void registerSale(int clientId, int flightId, int cardId, const QString& seat = QStringLiteral("2C")) {
        dialogs.onModal(QStringLiteral("frmOrdersEdit"), [=, this](QDialog& w) {
            if (clientId)
                choose(w, QStringLiteral("cbClient"), clientText(clientId));
            if (flightId)
                choose(w, QStringLiteral("cbFlight"), flightText(flightId));
            if (cardId)
                choose(w, QStringLiteral("cbCard"), cardText(cardId));
            type(w, QStringLiteral("editMesto"), seat);
            click(w, QStringLiteral("btnSave"));
            dialogs.answer(TMsgButton::No);
        });
        click(*list, QStringLiteral("tbtnAdd"));
    }
};

// The new sale stands in the list with its price (fare 4500 and 50 %), and the
// seat list is read again after it.
TEST_F(OrdersScreen, ANewSaleIsListedWithItsPriceAndTheSeatsLeft) {
    registerSale(2, 1, 2);
    EXPECT_EQ(shown(), QStringList());
    EXPECT_EQ(ds()->State(), TDataSetState::Browse);
    EXPECT_EQ(ds()->FieldByName(QStringLiteral("id"))->AsInteger(), 3);
    EXPECT_EQ(ds()->FieldByName(QStringLiteral("itogo"))->AsFloat(), 6750);
    EXPECT_EQ(listedBalance(1), 208);
}

TEST_F(OrdersScreen, SoldOutFlightIsAcceptedAfterOneOfItsSalesIsDeleted) {
    registerSale(1, 4, 1);
    ASSERT_EQ(shown(TMsgKind::Information), QStringList({"На данный рейс нет билетов!"}));
    locate(ds(), 2);
    dialogs.answer(TMsgButton::Yes);
    click(*list, QStringLiteral("tbtnDel"));
    ASSERT_EQ(count(QStringLiteral("tblOrders")), 1);
    EXPECT_EQ(listedBalance(4), 1) << "the seat list is read again after the deletion";
    dialogs.clear();
    registerSale(1, 4, 1);
    EXPECT_EQ(shown(), QStringList());
    EXPECT_EQ(db.Scalar(QStringLiteral("SELECT count(*) FROM tblOrders WHERE flight_id = 4")).toInt(), 1);
}

// Another office deletes a flight this office still lists: the seat balance
// has no row for it, so the sale is refused like one on a full flight.
TEST_F(OrdersScreen, FlightWithoutASeatRowIsRefused) {
    QSqlQuery(db.connection().Database()).exec(QStringLiteral("DELETE FROM tblFlight WHERE id = 3"));
    registerSale(1, 3, 1);
    EXPECT_EQ(shown(TMsgKind::Information), QStringList({"На данный рейс нет билетов!"}));
    EXPECT_EQ(count(QStringLiteral("tblOrders")), 2);
}

// The flights window opened over the registration window shares its dataset
// with the flight chooser, so a search made there narrows the choice.
TEST_F(OrdersScreen, FindButtonsShowTheClientsAndFlightsWindows) {
    int offered = -1;
    dialogs.onModal(QStringLiteral("frmFlight"), [&](QDialog& w) {
        type(w, QStringLiteral("editKod"), QStringLiteral("3"));
        click(w, QStringLiteral("btnSearch"));
    });
    dialogs.onModal(QStringLiteral("frmOrdersEdit"), [&](QDialog& w) {
        click(w, QStringLiteral("btnPositionFilter"));
        click(w, QStringLiteral("BitBtn1"));
        offered = find<TDBLookupComboBox>(w, QStringLiteral("cbFlight"))->count();
    });
    click(*list, QStringLiteral("tbtnAdd"));
    QStringList names;
    for (const auto& modal : dialogs.modals())
        names << modal.Name;
    EXPECT_EQ(names, QStringList({"frmOrdersEdit", "frmClients", "frmFlight"}));
    EXPECT_EQ(offered, 1);
    EXPECT_EQ(ds()->State(), TDataSetState::Browse);
}

TEST_F(OrdersScreen, SearchByNumberFlightAndClientAndReset) {
    type(*list, QStringLiteral("editKod"), QStringLiteral("2"));
    choose(*list, QStringLiteral("cbFlight"), flightText(4));
    choose(*list, QStringLiteral("cbClient"), clientText(2));
    click(*list, QStringLiteral("btnSearch"));
    EXPECT_EQ(filter(), QStringLiteral("id = '2' AND flight_id = '4' AND clients_id = '2'"));
    EXPECT_EQ(column(ds(), QStringLiteral("id")), QStringList({"2"}));

    click(*list, QStringLiteral("btnSearchCancel"));
    EXPECT_EQ(filter(), QString());
    EXPECT_EQ(column(ds(), QStringLiteral("id")), QStringList({"1", "2"}));
    EXPECT_EQ(find<QLineEdit>(*list, QStringLiteral("editKod"))->text(), QString());
    EXPECT_TRUE(find<TDBLookupComboBox>(*list, QStringLiteral("cbFlight"))->KeyValue().isNull());
    EXPECT_TRUE(find<TDBLookupComboBox>(*list, QStringLiteral("cbClient"))->KeyValue().isNull());
}

TEST_F(OrdersScreen, ReportWithAnEmptyListAsksForARecord) {
    type(*list, QStringLiteral("editKod"), QStringLiteral("99"));
    click(*list, QStringLiteral("btnSearch"));
    click(*list, QStringLiteral("mnuReport"));
    EXPECT_EQ(shown(TMsgKind::Notice), QStringList({"Нужно выбрать запись"}));
}

// The seats cannot be counted: the save fails like any other and stores nothing.
TEST_F(OrdersScreen, SeatCountThatFailsIsASaveError) {
    QSqlQuery(db.connection().Database()).exec(QStringLiteral("DROP VIEW leavings"));
    registerSale(1, 1, 1);
    EXPECT_EQ(shown(TMsgKind::Information), QStringList({"Произозла ошибка сохранения данных"}));
    EXPECT_EQ(dialogs.messages().value(0).Title, QStringLiteral("Ошибка записи"));
    EXPECT_EQ(count(QStringLiteral("tblOrders")), 2);
}
