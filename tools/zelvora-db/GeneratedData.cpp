#include "GeneratedData.h"

#include "RussianData.h"
#include "SeatPlan.h"
#include "TableWriter.h"

#include "data/Schema.h"

#include <QList>
#include <algorithm>

namespace {

struct TModel {
    QString Name;
    int Seats;
};

const QList<TModel> Models = {
    {QStringLiteral("Sukhoi Superjet 100"), 98}, {QStringLiteral("Airbus A320"), 158},
    {QStringLiteral("Boeing 737-800"), 189},     {QStringLiteral("Ту-204-100"), 210},
    {QStringLiteral("Airbus A321"), 220},        {QStringLiteral("МС-21-300"), 211},
    {QStringLiteral("Ил-96-300"), 300},          {QStringLiteral("Ан-148-100"), 75},
};

const QStringList CardNames = {QStringLiteral("Эконом"), QStringLiteral("Бизнес"), QStringLiteral("Комфорт"),
                               QStringLiteral("Первый класс")};
const QStringList CardPercents = {QStringLiteral("0"), QStringLiteral("50"), QStringLiteral("25"),
                                  QStringLiteral("100")};

// Flights start on a fixed day, not today, so that a seed always gives the same file.
const QDate FirstFlightDay(2025, 1, 1);
constexpr int FlightsPerDay = 100;

class TGenerator {
public:
    TGenerator(TDatabaseEngine& db, const TGeneratedSize& size, quint32 seed)
        : FDb(db), FSize(size), FRandom(seed), FData(FRandom) {}

    void Build() {
        routes();
        employees();
        airliners();
        cards();
        clients();
        flights();
        sales();
    }

private:
    qint64 any(const QList<qint64>& ids) { return ids[FRandom.bounded(int(ids.size()))]; }

    void routes() {
        TTableWriter writer(FDb, QStringLiteral("tblRoute"), {"airStart", "airTarget", "price", "times"});
        const QStringList& cities = TRussianData::Cities();
        for (int i = 0; i < FSize.Routes; ++i) {
            const int from = FRandom.bounded(int(cities.size()));
            const int to = (from + 1 + FRandom.bounded(int(cities.size()) - 1)) % int(cities.size());
            const int minutes = FData.Between(12, 110) * 5;
            FRoutes << writer.Append({cities[from], cities[to], 2000.0 + minutes * 40, minutes});
        }
    }

    void employees() {
        TTableWriter writer(FDb, QStringLiteral("tblSotrudnik"),
                            {"fam", "names", "subname", "phones", "addr", "stage"});
        for (int i = 0; i < FSize.Employees; ++i) {
            const TPerson p = FData.Person();
            FEmployees << writer.Append(
                {p.Fam, p.Names, p.Subname, FData.Phone(), FData.Address(), FData.Between(1, 35)});
        }
    }

    void airliners() {
        TTableWriter writer(
            FDb, QStringLiteral("tblAir"),
            {"sotrudnik_id", "bortNum", "model", "date_create", "lifetime", "isActive", "seats"});
        for (int i = 0; i < FSize.Airliners; ++i) {
            const TModel& model = Models[FRandom.bounded(int(Models.size()))];
            const QDate created(FData.Between(1995, 2024), FData.Between(1, 12), FData.Between(1, 28));
            FAirs << QPair<qint64, int>{
                writer.Append({FEmployees[i % FEmployees.size()], QStringLiteral("RA-%1").arg(10000 + i),
                               model.Name, TSchema::StoredText(created.startOfDay()), 30, 1, model.Seats}),
                model.Seats};
        }
    }

    void cards() {
        TTableWriter writer(FDb, QStringLiteral("tblCard"), {"names", "percent"});
        for (qsizetype i = 0; i < CardNames.size(); ++i)
            FCards << writer.Append({CardNames[i], CardPercents[i]});
    }

    void clients() {
        TTableWriter writer(FDb, QStringLiteral("tblClients"),
                            {"fam", "names", "subname", "phones", "addr", "passport_seria", "passport_num"});
        for (int i = 0; i < FSize.Clients; ++i) {
            const TPerson p = FData.Person();
            FClients << writer.Append({p.Fam, p.Names, p.Subname, FData.Phone(), FData.Address(),
                                       FData.Digits(4), FData.Digits(6)});
        }
    }

    // The last tenth of the days is still open for sale; the rest have flown.
    void flights() {
        TTableWriter writer(FDb, QStringLiteral("tblFlight"),
                            {"air_id", "route_id", "dateStart", "timeStart", "isActive"});
        const int days = std::max(1, FSize.Flights / FlightsPerDay);
        for (int i = 0; i < FSize.Flights; ++i) {
            const auto& air = FAirs[FRandom.bounded(int(FAirs.size()))];
            const int day = int(qint64(i) * days / FSize.Flights);
            const QTime time(FData.Between(0, 23), FData.Between(0, 11) * 5);
            FPlan.AddFlight(writer.Append({air.first, any(FRoutes),
                                           TSchema::StoredText(FirstFlightDay.addDays(day).startOfDay()),
                                           TSchema::StoredText(QDateTime(TSchema::TimeOfDayDate(), time)),
                                           day >= days - days / 10 ? 1 : 0}),
                            air.second);
        }
    }

    void sales() {
        TTableWriter writer(FDb, QStringLiteral("tblOrders"),
                            {"flight_id", "clients_id", "card_id", "mesto", "counts"});
        for (qint64 i = 0; i < FSize.Sales; ++i) {
            const TPlannedSale sale = FPlan.Sell(FPlan.OpenFlight(FRandom), FRandom);
            writer.Append({sale.FlightId, any(FClients), any(FCards), sale.Seat, sale.Count});
        }
    }

    TDatabaseEngine& FDb;
    TGeneratedSize FSize;
    QRandomGenerator FRandom;
    TRussianData FData;
    TSeatPlan FPlan;
    QList<qint64> FRoutes, FEmployees, FCards, FClients;
    QList<QPair<qint64, int>> FAirs;
};

} // namespace

// Fifty sales a flight, a hundred flights an airliner, ten sales a client: the
// proportions of a busy office. Every flight has at least 75 seats, so there are
// always more seats than sales.
TGeneratedSize TGeneratedSize::ForSales(qint64 sales) {
    TGeneratedSize size{};
    size.Sales = sales;
    size.Flights = int(std::max<qint64>(60, sales / 50));
    size.Airliners = std::max(10, size.Flights / 100);
    size.Employees = size.Airliners + size.Airliners / 2;
    size.Routes = int(std::max<qint64>(20, sales / 10000));
    size.Clients = int(std::max<qint64>(200, sales / 10));
    return size;
}

void fillGeneratedData(TDatabaseEngine& db, const TGeneratedSize& size, quint32 seed) {
    TGenerator(db, size, seed).Build();
}
