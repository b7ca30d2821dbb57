#include "SeatPlan.h"

#include "data/Exception.h"

#include <algorithm>

namespace {

// Seats are numbered by rows of six, "1A" to "1F", then "2A".
QString seatLabel(int index) {
    return QString::number(index / 6 + 1) + QChar(u'A' + index % 6);
}

// Most buy one ticket; families buy two or three.
int ticketsWanted(QRandomGenerator& random) {
    const int roll = random.bounded(100);
    return roll < 70 ? 1 : roll < 90 ? 2 : 3;
}

} // namespace

void TSeatPlan::AddFlight(qint64 id, int seats) {
    FFlights.append({id, seats, 0});
}

TPlannedSale TSeatPlan::Sell(int flight, QRandomGenerator& random) {
    TFlightSeats& seats = FFlights[flight];
    const int count = std::min(ticketsWanted(random), seats.Seats - seats.Sold);
    TPlannedSale sale{seats.Id, seatLabel(seats.Sold), count};
    seats.Sold += count;
    return sale;
}

int TSeatPlan::OpenFlight(QRandomGenerator& random, const std::function<bool(int)>& excluded) const {
    const int count = int(FFlights.size());
    const int start = count > 0 ? random.bounded(count) : 0;
    for (int step = 0; step < count; ++step) {
        const int flight = (start + step) % count;
        if (!Full(flight) && !(excluded && excluded(flight)))
            return flight;
    }
    throw Exception(QStringLiteral("Every flight is sold out"));
}
