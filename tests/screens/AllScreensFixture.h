#pragma once

#include "SalesScreensFixture.h"
#include "ScreenCase.h"

#include <memory>

// The office of SalesScreensFixture with any of the seven list windows, each
// made by its screen case.
class AllScreensFixture : public SalesScreensFixture {
public:
    void TearDown() override {
        list.reset();
        flightsList.reset();
    }

    // Creates the list window of the case into `list`.
    TDataSet* open(const TScreenCase& screen);

    std::unique_ptr<TListForm> list;
    std::unique_ptr<TListForm> flightsList; // the sales window's "Найти" for flights
};
