#include "report_engine/print/PrintPass.h"

#include <algorithm>

namespace {
bool wrongParity(int index, TfrxPrintPages pages) {
    const bool odd = (index + 1) % 2 == 1;
    return (pages == TfrxPrintPages::ppOdd && !odd) || (pages == TfrxPrintPages::ppEven && odd);
}

// The page indexes of one pass.
std::vector<int> passPages(int pageCount, const QList<int>& pageList, const TfrxPrintOptions& options) {
    const int steps = pageList.isEmpty() ? pageCount : static_cast<int>(pageList.size());
    std::vector<int> pages;
    for (int i = 0; i < steps; ++i) {
        const int step = options.Reverse ? steps - 1 - i : i;
        const int index = pageList.isEmpty() ? step : pageList[step] - 1;
        if (index < 0 || index >= pageCount || wrongParity(index, options.PrintPages))
            continue;
        pages.push_back(index);
    }
    return pages;
}
} // namespace

TfrxPrintPlan frxPrintPlan(int pageCount, const QList<int>& pageList, const TfrxPrintOptions& options,
                           bool twoSided) {
    const int copies = std::max(options.Copies, 1);
    const std::vector<int> pages = passPages(pageCount, pageList, options);
    TfrxPrintPlan plan;
    plan.DeviceCopies = options.Collate ? 1 : copies;
    const int passes = options.Collate ? copies : 1;
    for (int copy = 1; copy <= passes; ++copy) {
        // A copy that ended on the front of a sheet leaves its back empty, so the
        // next copy does not begin on the back of this one's last sheet.
        if (copy > 1 && twoSided && plan.Steps.size() % 2 == 1)
            plan.Steps.push_back({-1, copy - 1, true});
        for (int index : pages)
            plan.Steps.push_back({index, copy, false});
    }
    return plan;
}
