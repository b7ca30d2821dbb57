#pragma once

#include "report_engine/model/PrintOptions.h"

#include <QList>
#include <vector>

// One page handed to the printer: the prepared page's index and the copy it
// belongs to. A blank step leaves the back of a sheet empty.
struct TfrxPrintStep {
    int PageIndex = 0;
    int CopyNo = 1;
    bool Blank = false;
    bool operator==(const TfrxPrintStep&) const = default;
};

struct TfrxPrintPlan {
    std::vector<TfrxPrintStep> Steps;
    // How many copies of each page the device makes itself.
    int DeviceCopies = 1;
};

// The pages a print outputs, in order. Collated copies are whole passes one after
// another, each copy starting on a new sheet when printing on both sides;
// uncollated copies are one pass whose pages the device repeats. A pass follows
// the page list (pages, from 1, in its order) or every page, backwards with
// Reverse, leaving out pages that do not exist and those of the wrong parity.
TfrxPrintPlan frxPrintPlan(int pageCount, const QList<int>& pageList, const TfrxPrintOptions& options,
                           bool twoSided);
