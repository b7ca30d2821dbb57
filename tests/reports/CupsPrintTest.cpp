#include "report_engine/CupsPrinter.h"
#include "report_engine/ReportFixture.h"
#include "support/CupsServer.h"

namespace {
class CupsPrint : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(FServer.error(), QString());
        frxInstallPrinters(TfrxPrinters::fromSystem());
    }
    TCupsServer FServer;
};
} // namespace

// The private server's queue is the system's default printer, read as the
// print system describes it.
TEST_F(CupsPrint, TheQueueIsTheDefaultPrinter) {
    TfrxPrinters& printers = frxPrinters();
    ASSERT_TRUE(printers.HasPhysicalPrinters());
    EXPECT_EQ(printers.Printers(), QStringList({"PDF"}));
    TfrxCustomPrinter& printer = printers.Printer();
    EXPECT_EQ(printer.Port(), QStringLiteral("cups-pdf:/"));
    EXPECT_TRUE(printer.Initialized);
    EXPECT_EQ(printer.DPI, QPoint(300, 300));
    EXPECT_EQ(printer.DefPaper, 9);
    EXPECT_EQ(printer.PaperWidth, 210);
    EXPECT_EQ(printer.PaperHeight, 297);
    EXPECT_EQ(printer.LeftMargin + printer.TopMargin + printer.RightMargin + printer.BottomMargin, 0);
    EXPECT_GE(printer.PaperIndex(11), 0) << printer.paperNames().join(", ").toStdString();
}

TEST_F(CupsPrint, NoQueueOrNoServerIsNoPrinter) {
    ASSERT_TRUE(FServer.removeQueues()) << FServer.error().toStdString();
    EXPECT_FALSE(TfrxPrinters::fromSystem().HasPhysicalPrinters());
    FServer.stop();
    EXPECT_FALSE(TfrxPrinters::fromSystem().HasPhysicalPrinters());
}
