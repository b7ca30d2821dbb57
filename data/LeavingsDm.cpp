#include "data/LeavingsDm.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

void addLeavingsFields(TDataSet* tbl) {
    tbl->AddDataField(QStringLiteral("flight_id"), TFieldType::AutoInc);
    tbl->AddDataField(QStringLiteral("air_id"), TFieldType::Integer);
    tbl->AddDataField(QStringLiteral("dateStart"), TFieldType::DateTime);
    tbl->AddDataField(QStringLiteral("timeStart"), TFieldType::DateTime);
    tbl->AddDataField(QStringLiteral("tblFlight.isActive"), TFieldType::Boolean);
    tbl->AddDataField(QStringLiteral("airStart"), TFieldType::String, 50);
    tbl->AddDataField(QStringLiteral("airTarget"), TFieldType::String, 50);
    tbl->AddDataField(QStringLiteral("price"), TFieldType::Float);
    tbl->AddDataField(QStringLiteral("times"), TFieldType::Integer);
    tbl->AddDataField(QStringLiteral("bortNum"), TFieldType::String, 15);
    tbl->AddDataField(QStringLiteral("model"), TFieldType::String, 25);
    tbl->AddDataField(QStringLiteral("date_create"), TFieldType::DateTime);
    tbl->AddDataField(QStringLiteral("lifetime"), TFieldType::Integer);
    tbl->AddDataField(QStringLiteral("tblAir.isActive"), TFieldType::Boolean);
    tbl->AddDataField(QStringLiteral("seats"), TFieldType::Integer);
    tbl->AddDataField(QStringLiteral("expenditure"), TFieldType::Float);
    tbl->AddDataField(QStringLiteral("balance"), TFieldType::Float)->ReadOnly = true;
}

} // namespace

TdmLeavings::TdmLeavings(TConnection* connection, QObject* parent)
    : QObject(parent), tbl(new TQuery(QStringLiteral("SELECT * FROM leavings"), this)),
      balance(new TQuery(QStringLiteral("SELECT balance FROM leavings WHERE flight_id = :flight_id"), this)) {
    setObjectName(QStringLiteral("dmLeavings"));
    tbl->setObjectName(QStringLiteral("tbl"));
    balance->setObjectName(QStringLiteral("balance"));
    tbl->Connection = connection;
    balance->Connection = connection;
    addLeavingsFields(tbl);
    tbl->AfterOpen = [this](TDataSet* dataSet) { tblAfterOpen(dataSet); };
    balance->AddDataField(QStringLiteral("balance"), TFieldType::Float)->ReadOnly = true;
    balance->ParamByName(QStringLiteral("flight_id")) = 0;
}

void TdmLeavings::DataModuleCreate(QObject*) {
    tbl->Open();
}

void TdmLeavings::tblAfterOpen(TDataSet*) {
    tbl->SetSort(QStringLiteral("flight_id"));
}

void TdmLeavings::ReActive() {
    tbl->Close();
    tbl->Open();
}

// The query runs again on every call, so the answer counts every sale written
// up to this moment, by this program or another sharing the file.
int TdmLeavings::GetBalance(int flight_id) {
    balance->Close();
    balance->ParamByName(QStringLiteral("flight_id")) = flight_id;
    balance->Open();
    if (balance->IsEmpty()) {
        return 0;
    }
    const double value = balance->FieldByName(QStringLiteral("balance"))->AsFloat();
    if (!std::isfinite(value)) {
        return 0;
    }
    // Halves go to the even neighbour, as the office's seat counts always did.
    constexpr double low = std::numeric_limits<int>::min();
    constexpr double high = std::numeric_limits<int>::max();
    return int(std::clamp(std::nearbyint(value), low, high));
}
