#include "data/FlightDm.h"

#include "data/DataSet.h"
#include "data/DbCalcField.h"
#include "data/LeavingsDm.h"

TdmFlight::TdmFlight(TConnection* connection, TDataSet* route, TDataSet* air, QObject* parent)
    : TTableDm(QStringLiteral("dmFlight"), QStringLiteral("tblFlight"), QStringLiteral("[dateStart] ASC"),
               connection, parent) {
    const QString id = QStringLiteral("id");
    tbl->AddDataField(id, TFieldType::AutoInc);
    tbl->AddDataField(QStringLiteral("air_id"), TFieldType::Integer);
    tbl->AddDataField(QStringLiteral("route_id"), TFieldType::Integer);
    tbl->AddDataField(QStringLiteral("dateStart"), TFieldType::DateTime);
    TField* timeStart = tbl->AddDataField(QStringLiteral("timeStart"), TFieldType::DateTime);
    timeStart->DisplayFormat = QStringLiteral("HH:NN");
    timeStart->EditMask = QStringLiteral("!90:00;1;_");
    tbl->AddDataField(QStringLiteral("isActive"), TFieldType::Boolean)->DisplayValues =
        QStringLiteral("Да;Нет");
    tbl->AddLookupField(QStringLiteral("route.ToString"), TFieldType::String, 200, QStringLiteral("route_id"),
                        route, id, QStringLiteral("airToString"));
    tbl->AddLookupField(QStringLiteral("air.ToString"), TFieldType::String, 250, QStringLiteral("air_id"),
                        air, id, QStringLiteral("ToString"));
    tbl->AddCalcField(QStringLiteral("ToString"), TFieldType::String, 255);
    tbl->AddLookupField(QStringLiteral("route.price"), TFieldType::Float, 0, QStringLiteral("route_id"),
                        route, id, QStringLiteral("price"));
    tbl->AddLookupField(QStringLiteral("counts"), TFieldType::Float, 0, id, nullptr,
                        QStringLiteral("flight_id"), QStringLiteral("balance"));
    tbl->AfterInsert = [this](TDataSet* dataSet) { tblAfterInsert(dataSet); };
    tbl->OnCalcFields = [this](TDataSet* dataSet) { tblCalcFields(dataSet); };
    tbl->AfterPost = [this](TDataSet*) { refreshLeavings(); };
    tbl->AfterDelete = [this](TDataSet*) { refreshLeavings(); };
}

void TdmFlight::bindLeavings(TdmLeavings* leavings) {
    FLeavings = leavings;
    tbl->FieldByName(QStringLiteral("counts"))->LookupDataSet = leavings->tbl;
}

void TdmFlight::refreshLeavings() {
    if (FLeavings)
        FLeavings->ReActive();
}

void TdmFlight::tblAfterInsert(TDataSet* DataSet) {
    DataSet->FieldByName(QStringLiteral("dateStart"))
        ->SetAsDateTime(QDateTime(QDate::currentDate(), QTime(0, 0)));
    DataSet->FieldByName(QStringLiteral("isActive"))->SetAsBoolean(true);
}

void TdmFlight::tblCalcFields(TDataSet* DataSet) {
    DataSet->FieldByName(QStringLiteral("ToString"))->SetAsString(toString(DataSet));
}

// The departure time is shown as hours and minutes whatever the user's long
// time format; an empty time is midnight, as an empty date-time always was.
QString TdmFlight::toString(TDataSet* DataSet) const {
    const TDbCalcField record(DataSet);
    const QDateTime time = DataSet->FieldByName(QStringLiteral("timeStart"))->AsDateTime();
    const QString timeText = (time.isValid() ? time.time() : QTime(0, 0)).toString(QStringLiteral("hh:mm"));
    return QStringLiteral("Рейс №") + record.getStringValue(QStringLiteral("id")) + QStringLiteral(" | ") +
           record.getStringValue(QStringLiteral("route.ToString")) + QStringLiteral(" | ") +
           record.getStringValue(QStringLiteral("dateStart")) + QLatin1Char(' ') + timeText;
}
