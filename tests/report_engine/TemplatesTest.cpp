#include "report_engine/base/ReportError.h"
#include "report_engine/model/Bands.h"
#include "report_engine/model/MemoView.h"
#include "report_engine/model/Report.h"
#include "report_engine/model/ReportTemplate.h"
#include "report_engine/run/DBDataset.h"

#include <gtest/gtest.h>

namespace {
struct TDesign {
    const char* file;
    const char* title;
    const char* dataSet;
    const char* dataSource;
    bool landscape;
    double memo27Left;
    double memo27Top;
    double footerLeft;
    int columns;
    int fields;
    TfrxStretchMode cellStretch;
};

const TDesign Designs[] = {
    {"routes", "Список маршрутов", "frxDsRoute", "dmRoute.ds", false, 60.47248, 34.01577, 619.84292, 5, 5,
     TfrxStretchMode::smMaxHeight},
    {"flights", "Рейсы", "frxDsFlight", "dmFlight.ds", true, 245.66945, 41.57483, 944.8825, 6, 8,
     TfrxStretchMode::smMaxHeight},
    {"orders", "Продажи билетов", "frxDsOrders", "dmOrders.ds", true, 245.66945, 41.57483, 944.8825, 7, 13,
     TfrxStretchMode::smDontStretch},
};

template <typename T> T* object(const TfrxReport& report, const QString& name) {
    auto* found = dynamic_cast<T*>(report.FindObject(name));
    EXPECT_NE(found, nullptr) << name.toStdString();
    return found;
}
} // namespace

TEST(Templates, CarryEveryValueOfTheThreeDesigns) {
    for (const TDesign& design : Designs) {
        SCOPED_TRACE(design.file);
        TfrxReport report;
        frxTemplate::loadFile(report, QStringLiteral(":/templates/%1.xml").arg(design.file));
        EXPECT_EQ(report.Name, "frxRep");
        EXPECT_EQ(report.Version, "1.0");
        EXPECT_EQ(report.IniFile, "\\Software\\Zelvora Reports");
        EXPECT_EQ(report.ScriptText, (QStringList{"begin", "", "end."}));
        ASSERT_EQ(report.Variables.size(), 3);
        EXPECT_EQ(report.Variables[0].Name, " Main variable");
        EXPECT_TRUE(report.Variables[2].Value.isNull());

        ASSERT_EQ(report.Datasets.size(), 1);
        auto* dataSet = dynamic_cast<TfrxDBDataset*>(report.Datasets[0].DataSet);
        ASSERT_NE(dataSet, nullptr);
        EXPECT_EQ(dataSet->UserName, design.dataSet);
        EXPECT_EQ(report.Datasets[0].DataSetName, design.dataSet);
        EXPECT_EQ(dataSet->DataSourceName, design.dataSource);
        EXPECT_FALSE(dataSet->CloseDataSource);
        EXPECT_EQ(dataSet->FieldAliases.size(), design.fields);
        EXPECT_EQ(dataSet->FieldAliases[0], "id=id");

        ASSERT_EQ(report.Pages().size(), 2u);
        EXPECT_EQ(report.Pages()[0]->Width, 1000);
        TfrxReportPage* page = report.reportPage();
        EXPECT_EQ(page->Orientation() == TfrxOrientation::poLandscape, design.landscape);
        EXPECT_EQ(page->PaperWidth(), design.landscape ? 297 : 210);
        EXPECT_EQ(page->LeftMargin, 10);
        EXPECT_EQ(page->Width, design.landscape ? 1123 : 794);
        const double bandWidth = design.landscape ? 1046.92981 : 718.1107;
        EXPECT_NEAR(page->PrintableWidth(), bandWidth, 1e-9);

        const struct {
            const char* name;
            double top;
            double height;
        } bands[] = {{"ReportTitle1", 18.89765, 98.26778},
                     {"Header1", 177.63791, 45.35436},
                     {"MasterData1", 245.66945, 22.67718},
                     {"PageFooter1", 328.81911, 30.23624}};
        for (const auto& b : bands) {
            auto* band = object<TfrxBand>(report, b.name);
            EXPECT_NEAR(band->Top, b.top, 1e-9) << b.name;
            EXPECT_NEAR(band->Height, b.height, 1e-9) << b.name;
            EXPECT_NEAR(band->Width, bandWidth, 1e-9) << b.name;
        }
        EXPECT_TRUE(object<TfrxBand>(report, "ReportTitle1")->Stretched);
        EXPECT_EQ(object<TfrxMasterData>(report, "MasterData1")->DataSetName, design.dataSet);

        auto* title = object<TfrxMemoView>(report, "Memo27");
        EXPECT_EQ(title->Text, design.title);
        EXPECT_NEAR(title->Left, design.memo27Left, 1e-9);
        EXPECT_NEAR(title->Top, design.memo27Top, 1e-9);
        EXPECT_EQ(title->usedFont().Height, -24);
        EXPECT_TRUE(title->usedFont().Italic);
        EXPECT_EQ(title->HAlign, TfrxHAlign::haCenter);
        EXPECT_EQ(object<TfrxMemoView>(report, "Memo4")->usedFont(), TfrxFont());
        EXPECT_EQ(object<TfrxSysMemoView>(report, "SysMemo2")->Text, "[DATE]");
        auto* pageNumber = object<TfrxSysMemoView>(report, "SysMemo1");
        EXPECT_EQ(pageNumber->Text, "[PAGE#]");
        EXPECT_NEAR(pageNumber->Left, design.footerLeft, 1e-9);

        const auto& header = object<TfrxBand>(report, "Header1")->Objects();
        const auto& cells = object<TfrxBand>(report, "MasterData1")->Objects();
        ASSERT_EQ(static_cast<int>(header.size()), design.columns);
        ASSERT_EQ(cells.size(), header.size());
        for (size_t i = 0; i < cells.size(); ++i) {
            auto* head = dynamic_cast<TfrxMemoView*>(header[i].get());
            auto* cell = dynamic_cast<TfrxCustomMemoView*>(cells[i].get());
            ASSERT_TRUE(head && cell);
            EXPECT_EQ(head->Left, cell->Left);
            EXPECT_EQ(head->Width, cell->Width);
            EXPECT_TRUE(head->usedFont().Bold);
            EXPECT_EQ(head->usedFont().Height, -12);
            EXPECT_EQ(head->VAlign, TfrxVAlign::vaCenter);
            EXPECT_EQ(cell->Frame.Typ, ftLeft | ftRight | ftTop | ftBottom);
            EXPECT_EQ(cell->usedFont().Height, -13);
            EXPECT_EQ(cell->StretchMode, design.cellStretch);
        }

        const TfrxPropertyList pdf = report.exportSettings("frxPDFExport");
        EXPECT_TRUE(pdf.contains({"Author", "Zelvora"}));
        EXPECT_TRUE(pdf.contains({"ProtectionFlags", "ePrint,eModify,eCopy,eAnnot"}));
        const TfrxPropertyList csv = report.exportSettings("frxCSVExport");
        EXPECT_TRUE(csv.contains({"Separator", ";"}));
        EXPECT_TRUE(csv.contains({"NoSysSymbols", "true"}));
        EXPECT_TRUE(report.Options.contains({"PrintOptions.Printer", "Default"}));
    }
}

TEST(Templates, ExactCaptionsAndBindings) {
    TfrxReport routes;
    frxTemplate::loadFile(routes, ":/templates/routes.xml");
    EXPECT_EQ(object<TfrxMemoView>(routes, "Memo2")->Text, "№п\\п");
    EXPECT_EQ(object<TfrxSysMemoView>(routes, "SysMemo4")->Text, "[LINE#]");
    EXPECT_EQ(object<TfrxMemoView>(routes, "frxDsRouteairStart")->DataField, "airStart");
    TfrxReport orders;
    frxTemplate::loadFile(orders, ":/templates/orders.xml");
    EXPECT_EQ(object<TfrxMemoView>(orders, "Memo8")->Text, "Стоимость, руб.");
    auto* card = object<TfrxMemoView>(orders, "frxDsOrderscardpercent");
    EXPECT_TRUE(card->DataField.isEmpty());
    EXPECT_EQ(card->Text, "[frxDsOrders.\"cards.names\"]");
}

TEST(Templates, BrokenTemplatesAreRefused) {
    const char* broken[] = {
        "<Other/>",
        "<TfrxReport><TfrxReportPage><TfrxMemoView Colour=\"red\"/></TfrxReportPage></TfrxReport>",
        "<TfrxReport><TfrxReportPage><TfrxMemoView Left=\"abc\"/></TfrxReportPage></TfrxReport>",
        "<TfrxReport><TfrxMemoView/></TfrxReport>",
        "<TfrxReport><TfrxReportPage>",
    };
    for (const char* xml : broken) {
        TfrxReport report;
        EXPECT_THROW(frxTemplate::load(report, xml), EfrxError) << xml;
    }
}
