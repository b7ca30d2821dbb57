#pragma once

#include "data/DatabaseEngine.h"

// How many rows of each kind a generated database gets for a number of sales.
struct TGeneratedSize {
    qint64 Sales;
    int Routes;
    int Airliners;
    int Employees;
    int Clients;
    int Flights;
    static TGeneratedSize ForSales(qint64 sales);
};

// Fills a new, empty database with synthetic data for measuring the program on
// large files. Everything follows from the seed: the same seed gives the same
// database, dates included. No flight is sold beyond its seats.
// Throws EDatabaseError.
void fillGeneratedData(TDatabaseEngine& db, const TGeneratedSize& size, quint32 seed);
