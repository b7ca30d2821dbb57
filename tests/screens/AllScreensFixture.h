#pragma once

#include "SalesScreensFixture.h"
#include "ScreenCase.h"
#include "screens/Flight.h"

#include <memory>

// The office of SalesScreensFixture with any of the seven list windows, named
// as their screen cases are: "employees", "routes", "clients", "ticket types",
// "airliners", "flights", "sales". The flights and sales windows choose rows
// whose texts come from this office's data, so their cases are built here.
class AllScreensFixture : public SalesScreensFixture {
public:
    void TearDown() override {
        list.reset();
        flightsList.reset();
    }

    TScreenCase screen(const QString& name);
    // Creates the list window of the case into `list`.
    TDataSet* open(const TScreenCase& screen);

    std::unique_ptr<TListForm> list;
    std::unique_ptr<TfrmFlight> flightsList; // the sales window's "Найти" for flights
};
