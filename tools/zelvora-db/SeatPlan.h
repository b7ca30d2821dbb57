#pragma once

#include <QList>
#include <QRandomGenerator>
#include <QString>
#include <functional>

struct TPlannedSale {
    qint64 FlightId;
    QString Seat;
    int Count;
};

// The seats of every flight and the tickets already sold on it, so that made-up
// sales never take more seats than a flight's airliner has.
class TSeatPlan {
public:
    void AddFlight(qint64 id, int seats);
    bool Full(int flight) const { return FFlights[flight].Sold >= FFlights[flight].Seats; }

    // One to three tickets on the flight, fewer when fewer seats are left.
    TPlannedSale Sell(int flight, QRandomGenerator& random);

    // A flight chosen at random that still has seats and is not excluded.
    // Throws Exception when every flight is full.
    int OpenFlight(QRandomGenerator& random, const std::function<bool(int)>& excluded = {}) const;

private:
    struct TFlightSeats {
        qint64 Id;
        int Seats;
        int Sold;
    };
    QList<TFlightSeats> FFlights;
};
