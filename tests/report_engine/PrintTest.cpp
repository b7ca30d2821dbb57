#include "report_engine/print/PrintPass.h"
#include "report_engine/print/PrintSheet.h"
#include "report_engine/run/PageNumbers.h"

#include <QStringList>
#include <functional>
#include <gtest/gtest.h>

namespace {
// "page.copy" of each step, "-" for the empty back of a sheet.
QString steps(const TfrxPrintPlan& plan) {
    QStringList shown;
    for (const TfrxPrintStep& step : plan.Steps)
        shown << (step.Blank ? QStringLiteral("-")
                             : QStringLiteral("%1.%2").arg(step.PageIndex + 1).arg(step.CopyNo));
    return shown.join(' ');
}

} // namespace

TEST(PageNumbers, InTheOrderGivenWithRepeats) {
    const struct {
        const char* text;
        int total;
        QList<int> pages;
    } cases[] = {{"1,3,5-12", 5, {1, 3, 5}},
                 {"3,1", 5, {3, 1}},
                 {"2-", 5, {2, 3, 4, 5}},
                 {" 1 , 1 ", 5, {1, 1}},
                 {"4-", 2, {4}},
                 {"", 5, {}},
                 {"2-3,1", 5, {2, 3, 1}},
                 {"7-2000000000", 8, {7, 8}},
                 {"0", 5, {0}}};
    for (const auto& c : cases)
        EXPECT_EQ(frxParsePageNumbers(c.text, c.total), c.pages) << c.text;
    for (const char* bad : {"x", "1-x", "3-1", "1,,2", "-2", "1-2-3", "2-,3", "1.5"})
        EXPECT_FALSE(frxParsePageNumbers(bad, 5).has_value()) << bad;
}

TEST(PrintPlan, PassOrder) {
    const struct {
        const char* name;
        int pageCount;
        QString pageNumbers;
        std::function<void(TfrxPrintOptions&)> set;
        bool twoSided;
        const char* steps;
        int deviceCopies;
    } cases[] = {
        {"a list past the last page", 5, "1,3,5-12", nullptr, false, "1.1 3.1 5.1", 1},
        {"the list's own order", 5, "3,1", nullptr, false, "3.1 1.1", 1},
        {"an open range", 5, "2-", nullptr, false, "2.1 3.1 4.1 5.1", 1},
        {"reverse", 5, "1-3", [](TfrxPrintOptions& o) { o.Reverse = true; }, false, "3.1 2.1 1.1", 1},
        {"reverse list", 5, "1,4", [](TfrxPrintOptions& o) { o.Reverse = true; }, false, "4.1 1.1", 1},
        {"even of one page", 1, "", [](TfrxPrintOptions& o) { o.PrintPages = TfrxPrintPages::ppEven; }, false,
         "", 1},
        {"odd", 5, "", [](TfrxPrintOptions& o) { o.PrintPages = TfrxPrintPages::ppOdd; }, false,
         "1.1 3.1 5.1", 1},
        {"even of a list", 5, "1-4", [](TfrxPrintOptions& o) { o.PrintPages = TfrxPrintPages::ppEven; },
         false, "2.1 4.1", 1},
        {"three copies collated", 3, "", [](TfrxPrintOptions& o) { o.Copies = 3; }, false,
         "1.1 2.1 3.1 1.2 2.2 3.2 1.3 2.3 3.3", 1},
        {"three copies uncollated", 3, "",
         [](TfrxPrintOptions& o) {
             o.Copies = 3;
             o.Collate = false;
         },
         false, "1.1 2.1 3.1", 3},
        {"no copies is one", 2, "", [](TfrxPrintOptions& o) { o.Copies = 0; }, false, "1.1 2.1", 1},
        {"two-sided copies start on a new sheet", 3, "", [](TfrxPrintOptions& o) { o.Copies = 2; }, true,
         "1.1 2.1 3.1 - 1.2 2.2 3.2", 1},
        {"two-sided copies ending on a back", 2, "", [](TfrxPrintOptions& o) { o.Copies = 2; }, true,
         "1.1 2.1 1.2 2.2", 1},
        {"no pages", 0, "", [](TfrxPrintOptions& o) { o.Copies = 2; }, false, "", 1},
        {"page 0, the page shown before any was", 5, "0", nullptr, false, "", 1},
    };
    for (const auto& c : cases) {
        TfrxPrintOptions options;
        if (c.set)
            c.set(options);
        const TfrxPrintPlan plan =
            frxPrintPlan(c.pageCount, *frxParsePageNumbers(c.pageNumbers, c.pageCount), options, c.twoSided);
        EXPECT_EQ(steps(plan), QString::fromLatin1(c.steps)) << c.name;
        EXPECT_EQ(plan.DeviceCopies, c.deviceCopies) << c.name;
    }
}

TEST(PrintSheet, ScaledAndJoinedPagesFitTheSheet) {
    const QSizeF a4(210, 297);
    const TfrxSheet scaled = frxSheetFor(TfrxPrintMode::pmScale, 0, 11, QSizeF(148, 210), a4);
    const TfrxPlacement fitted = frxPlacePage(scaled, a4, 0);
    EXPECT_NEAR(fitted.Scale, 148.0 / 210, 1e-9);
    EXPECT_NEAR(fitted.Origin.y(), (210 - 297 * fitted.Scale) / 2, 1e-9) << "centred";

    const TfrxSheet two = frxSheetFor(TfrxPrintMode::pmJoin, 2, 9, a4, a4);
    EXPECT_EQ(two.Orientation, TfrxOrientation::poLandscape) << "two upright pages side by side";
    EXPECT_NEAR(frxPlacePage(two, a4, 0).Scale, 148.5 / 210 < 210 / 297.0 ? 148.5 / 210 : 210 / 297.0, 1e-9);
    EXPECT_GT(frxPlacePage(two, a4, 1).Origin.x(), 148.5 - 1e-9) << "second page on the right half";

    const TfrxSheet four = frxSheetFor(TfrxPrintMode::pmJoin, 4, 9, a4, a4);
    EXPECT_EQ(four.Orientation, TfrxOrientation::poPortrait);
    const TfrxPlacement last = frxPlacePage(four, a4, 3);
    EXPECT_NEAR(last.Scale, 0.5, 1e-9);
    EXPECT_NEAR(last.Origin.x(), 105, 1e-9);
    EXPECT_NEAR(last.Origin.y(), 148.5, 1e-9);
}
