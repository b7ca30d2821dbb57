#include "DemoData.h"

#include "RussianData.h"
#include "SeatPlan.h"
#include "TableWriter.h"

#include "data/Schema.h"

#include <QList>
#include <QRandomGenerator>
#include <algorithm>

namespace {

struct TRouteSeed {
    QString From;
    QString To;
    int Minutes;
    double Price;
};

struct TAirSeed {
    QString BortNum;
    QString Model;
    int Seats;
    QDate Created;
    int Lifetime;
    bool Active;
};

struct TCardSeed {
    QString Name;
    QString Percent;
};

const QList<TRouteSeed> Routes = {
    {QStringLiteral("Москва"), QStringLiteral("Санкт-Петербург"), 85, 5400},
    {QStringLiteral("Санкт-Петербург"), QStringLiteral("Москва"), 85, 5400},
    {QStringLiteral("Москва"), QStringLiteral("Сочи"), 150, 9800},
    {QStringLiteral("Москва"), QStringLiteral("Казань"), 95, 6200},
    {QStringLiteral("Москва"), QStringLiteral("Екатеринбург"), 150, 8900},
    {QStringLiteral("Москва"), QStringLiteral("Новосибирск"), 245, 14500},
    {QStringLiteral("Москва"), QStringLiteral("Владивосток"), 530, 32000},
    {QStringLiteral("Москва"), QStringLiteral("Калининград"), 125, 7800},
    {QStringLiteral("Москва"), QStringLiteral("Краснодар"), 135, 8200},
    {QStringLiteral("Москва"), QStringLiteral("Минеральные Воды"), 140, 8700},
    {QStringLiteral("Санкт-Петербург"), QStringLiteral("Сочи"), 200, 11200},
    {QStringLiteral("Санкт-Петербург"), QStringLiteral("Калининград"), 95, 6500},
    {QStringLiteral("Санкт-Петербург"), QStringLiteral("Мурманск"), 120, 7900},
    {QStringLiteral("Екатеринбург"), QStringLiteral("Сочи"), 225, 12400},
    {QStringLiteral("Новосибирск"), QStringLiteral("Иркутск"), 140, 9300},
    {QStringLiteral("Казань"), QStringLiteral("Сочи"), 160, 9600},
    {QStringLiteral("Самара"), QStringLiteral("Москва"), 105, 6100},
    {QStringLiteral("Уфа"), QStringLiteral("Санкт-Петербург"), 170, 9900},
    {QStringLiteral("Красноярск"), QStringLiteral("Москва"), 280, 15800},
    {QStringLiteral("Хабаровск"), QStringLiteral("Владивосток"), 80, 6900},
};

// The two smallest airliners come first: the sold-out flights are put on them.
const QList<TAirSeed> Airliners = {
    {QStringLiteral("RA-67047"), QStringLiteral("Л-410 UVP-E20"), 19, {2014, 5, 21}, 25, true},
    {QStringLiteral("RA-61722"), QStringLiteral("Ан-148-100"), 75, {2011, 9, 2}, 25, true},
    {QStringLiteral("RA-89043"), QStringLiteral("Sukhoi Superjet 100"), 98, {2016, 3, 14}, 25, true},
    {QStringLiteral("RA-73184"), QStringLiteral("Airbus A320"), 158, {2013, 7, 30}, 30, true},
    {QStringLiteral("RA-73251"), QStringLiteral("Boeing 737-800"), 189, {2015, 11, 12}, 30, true},
    {QStringLiteral("RA-64024"), QStringLiteral("Ту-204-100"), 210, {2009, 4, 8}, 30, true},
    {QStringLiteral("RA-96017"), QStringLiteral("Ил-96-300"), 300, {2006, 12, 19}, 30, true},
    {QStringLiteral("RA-73312"), QStringLiteral("Airbus A321"), 220, {2018, 6, 25}, 30, true},
    {QStringLiteral("RA-73095"), QStringLiteral("МС-21-300"), 211, {2023, 2, 10}, 30, true},
    {QStringLiteral("RA-47360"), QStringLiteral("Ан-24РВ"), 48, {1986, 8, 17}, 40, false},
};

const QList<TCardSeed> Cards = {
    {QStringLiteral("Эконом"), QStringLiteral("0")},
    {QStringLiteral("Бизнес"), QStringLiteral("50")},
    {QStringLiteral("Комфорт"), QStringLiteral("25")},
    {QStringLiteral("Первый класс"), QStringLiteral("100")},
};

constexpr int EmployeeCount = 15;
constexpr int ClientCount = 200;
constexpr int FlightCount = 60;
constexpr int SaleCount = 500;
constexpr int DaysAround = 45;
// Every twelfth flight, starting with the fourth, is sold out: five flights,
// past and future ones alike.
bool soldOut(int flight) {
    return flight % 12 == 3;
}

class TDemoBuilder {
public:
    TDemoBuilder(TDatabaseEngine& db, const QDate& today)
        : FDb(db), FToday(today), FRandom(20240917), FData(FRandom) {}

    void Build() {
        employees();
        routes();
        cards();
        airliners();
        clients();
        flights();
        sales();
    }

private:
    void employees() {
        TTableWriter writer(FDb, QStringLiteral("tblSotrudnik"),
                            {"fam", "names", "subname", "phones", "addr", "stage"});
        for (int i = 0; i < EmployeeCount; ++i) {
            const TPerson p = FData.Person();
            FEmployees << writer.Append(
                {p.Fam, p.Names, p.Subname, FData.Phone(), FData.Address(), FData.Between(3, 30)});
        }
    }

    void routes() {
        TTableWriter writer(FDb, QStringLiteral("tblRoute"), {"airStart", "airTarget", "price", "times"});
        for (const TRouteSeed& route : Routes)
            FRoutes << writer.Append({route.From, route.To, route.Price, route.Minutes});
    }

    void cards() {
        TTableWriter writer(FDb, QStringLiteral("tblCard"), {"names", "percent"});
        for (const TCardSeed& card : Cards)
            FCards << writer.Append({card.Name, card.Percent});
    }

    void airliners() {
        TTableWriter writer(
            FDb, QStringLiteral("tblAir"),
            {"sotrudnik_id", "bortNum", "model", "date_create", "lifetime", "isActive", "seats"});
        for (qsizetype i = 0; i < Airliners.size(); ++i) {
            const TAirSeed& air = Airliners[i];
            const qint64 id = writer.Append({FEmployees[i], air.BortNum, air.Model,
                                             TSchema::StoredText(air.Created.startOfDay()), air.Lifetime,
                                             air.Active ? 1 : 0, air.Seats});
            if (air.Active)
                FActiveAirs << QPair<qint64, int>{id, air.Seats};
        }
    }

    void clients() {
        TTableWriter writer(FDb, QStringLiteral("tblClients"),
                            {"fam", "names", "subname", "phones", "addr", "passport_seria", "passport_num"});
        QSet<QString> passports;
        while (FClients.size() < ClientCount) {
            const TPerson p = FData.Person();
            const QString seria = FData.Digits(4);
            const QString number = FData.Digits(6);
            if (passports.contains(seria + number))
                continue;
            passports.insert(seria + number);
            FClients << writer.Append(
                {p.Fam, p.Names, p.Subname, FData.Phone(), FData.Address(), seria, number});
        }
    }

    void flights() {
        TTableWriter writer(FDb, QStringLiteral("tblFlight"),
                            {"air_id", "route_id", "dateStart", "timeStart", "isActive"});
        for (int i = 0; i < FlightCount; ++i) {
            const auto& air = soldOut(i) ? FActiveAirs[(i / 12) % 2]
                                         : FActiveAirs[FRandom.bounded(int(FActiveAirs.size()))];
            const QDate date = FToday.addDays(-DaysAround + i * 2 * DaysAround / FlightCount);
            const QTime time(FData.Between(5, 23), FData.Between(0, 11) * 5);
            const qint64 id = writer.Append({air.first, FRoutes[FRandom.bounded(int(FRoutes.size()))],
                                             TSchema::StoredText(date.startOfDay()),
                                             TSchema::StoredText(QDateTime(TSchema::TimeOfDayDate(), time)),
                                             date >= FToday ? 1 : 0});
            FPlan.AddFlight(id, air.second);
        }
    }

    void sales() {
        QList<TPlannedSale> planned;
        for (int i = 0; i < FlightCount; ++i)
            while (soldOut(i) && !FPlan.Full(i))
                planned << FPlan.Sell(i, FRandom);
        while (planned.size() < SaleCount)
            planned << FPlan.Sell(FPlan.OpenFlight(FRandom, soldOut), FRandom);
        // Sales of one flight did not all come in one go.
        std::shuffle(planned.begin(), planned.end(), FRandom);
        TTableWriter writer(FDb, QStringLiteral("tblOrders"),
                            {"flight_id", "clients_id", "card_id", "mesto", "counts"});
        for (const TPlannedSale& sale : planned)
            writer.Append({sale.FlightId, FClients[FRandom.bounded(int(FClients.size()))],
                           FCards[cardIndex()], sale.Seat, sale.Count});
    }

    // Most travel economy; few take the first class.
    int cardIndex() {
        const int roll = FRandom.bounded(100);
        return roll < 65 ? 0 : roll < 80 ? 1 : roll < 95 ? 2 : 3;
    }

    TDatabaseEngine& FDb;
    QDate FToday;
    QRandomGenerator FRandom;
    TRussianData FData;
    TSeatPlan FPlan;
    QList<qint64> FEmployees, FRoutes, FCards, FClients;
    QList<QPair<qint64, int>> FActiveAirs;
};

} // namespace

void fillDemoData(TDatabaseEngine& db, const QDate& today) {
    TDemoBuilder(db, today).Build();
}
