#include "data/OrdersDm.h"

#include "data/Connection.h"
#include "data/DataSet.h"
#include "data/LeavingsDm.h"
#include "data/SoldOut.h"

#include <algorithm>

TdmOrders::TdmOrders(TConnection* connection, TDataSet* flight, TDataSet* clients, TDataSet* card,
                     TdmLeavings* leavings, QObject* parent)
    : TTableDm(QStringLiteral("dmOrders"), QStringLiteral("tblOrders"), QStringLiteral("[id] ASC"),
               connection, parent),
      FLeavings(leavings) {
    const QString id = QStringLiteral("id");
    const QString flightId = QStringLiteral("flight_id");
    const QString clientsId = QStringLiteral("clients_id");
    const QString cardId = QStringLiteral("card_id");
    tbl->AddDataField(id, TFieldType::AutoInc);
    tbl->AddDataField(flightId, TFieldType::Integer);
    tbl->AddDataField(clientsId, TFieldType::Integer);
    tbl->AddDataField(cardId, TFieldType::Integer);
    tbl->AddDataField(QStringLiteral("mesto"), TFieldType::String, 5);
    tbl->AddDataField(QStringLiteral("counts"), TFieldType::Integer);
    tbl->AddLookupField(QStringLiteral("flight.ToString"), TFieldType::String, 255, flightId, flight, id,
                        QStringLiteral("ToString"));
    tbl->AddLookupField(QStringLiteral("clients.c_fio"), TFieldType::String, 90, clientsId, clients, id,
                        QStringLiteral("c_fio"));
    tbl->AddLookupField(QStringLiteral("clients.phones"), TFieldType::String, 16, clientsId, clients, id,
                        QStringLiteral("phones"));
    tbl->AddLookupField(QStringLiteral("cards.names"), TFieldType::String, 50, cardId, card, id,
                        QStringLiteral("names"));
    tbl->AddLookupField(QStringLiteral("route.price"), TFieldType::Float, 0, flightId, flight, id,
                        QStringLiteral("route.price"));
    tbl->AddLookupField(QStringLiteral("card.percent"), TFieldType::Float, 0, cardId, card, id,
                        QStringLiteral("percent"));
    tbl->AddCalcField(QStringLiteral("itogo"), TFieldType::Float);
    tbl->AfterInsert = [this](TDataSet* dataSet) { tblAfterInsert(dataSet); };
    tbl->OnCalcFields = [this](TDataSet* dataSet) { tblCalcFields(dataSet); };
    tbl->AfterPost = [this](TDataSet* dataSet) { tblAfterDelete(dataSet); };
    tbl->AfterDelete = [this](TDataSet* dataSet) { tblAfterDelete(dataSet); };
    tbl->BeforeWrite = [this](TDataSet* dataSet) { tblBeforeWrite(dataSet); };
}

void TdmOrders::tblAfterInsert(TDataSet* DataSet) {
    DataSet->FieldByName(QStringLiteral("counts"))->SetAsInteger(1);
}

void TdmOrders::tblCalcFields(TDataSet* DataSet) {
    if (const std::optional<TCurrency> itogo = getItogo(DataSet)) {
        DataSet->FieldByName(QStringLiteral("itogo"))->SetAsCurrency(itogo->ToDouble());
    }
}

// The number of tickets does not enter the price: `itogo` is one ticket's.
// A markup that is empty, not a number or not above zero leaves the fare as
// it is; a flight that is not found has no fare, so its price is 0.
std::optional<TCurrency> TdmOrders::getItogo(TDataSet* DataSet) const {
    const TCurrency markup = TCurrency::FromField(DataSet->FieldByName(QStringLiteral("card.percent")));
    const TCurrency fare = TCurrency::FromField(DataSet->FieldByName(QStringLiteral("route.price")));
    return PriceWithMarkup(fare, markup);
}

// Bound to both AfterPost and AfterDelete: any change to the sales changes
// the seats left.
void TdmOrders::tblAfterDelete(TDataSet*) {
    refreshLeavings();
}

void TdmOrders::refreshLeavings() {
    FLeavings->ReActive();
}

void TdmOrders::tblBeforeWrite(TDataSet* DataSet) {
    const int wanted = seatsWanted(DataSet);
    if (wanted <= 0) {
        return;
    }
    // Another desk writing a sale on the same flight waits here until this
    // write ends, then counts it.
    const int flightId = DataSet->FieldByName(QStringLiteral("flight_id"))->AsInteger();
    DataSet->Connection->Engine().lockRow(QStringLiteral("tblFlight"), flightId);
    if (FLeavings->GetBalance(flightId) < wanted) {
        throw ESoldOut();
    }
}

// A new sale, or one moved to another flight, takes all its tickets there (at
// least one: a sale always takes a seat); a sale whose number of tickets grows
// takes only the difference. The sale being written is not stored yet in its
// new form, so one seat left is enough for a sale of one ticket.
int TdmOrders::seatsWanted(TDataSet* DataSet) {
    const TField* flight = DataSet->FieldByName(QStringLiteral("flight_id"));
    const TField* counts = DataSet->FieldByName(QStringLiteral("counts"));
    const int tickets = std::max(counts->AsInteger(), 1);
    if (DataSet->State() == TDataSetState::Insert) {
        return tickets;
    }
    const int stored = DataSet->GetBookmark();
    const QVariant storedFlight = DataSet->storedValue(stored, flight);
    if (storedFlight.isNull() != flight->IsNull() || storedFlight.toInt() != flight->AsInteger()) {
        return tickets;
    }
    return counts->AsInteger() - DataSet->storedValue(stored, counts).toInt();
}
