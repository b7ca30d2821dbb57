#include "reports/ReportTemplates.h"

#include "data/DataModules.h"
#include "data/DataSet.h"
#include "data/FlightDm.h"
#include "data/OrdersDm.h"
#include "data/RouteDm.h"
#include "report_engine/base/ReportError.h"
#include "report_engine/model/Report.h"
#include "report_engine/model/ReportTemplate.h"
#include "report_engine/run/DBDataset.h"
#include "reports/ProgramDataSource.h"

#include <iterator>

namespace {

const TReportKind Kinds[] = {
    {"routes", ":/templates/routes.xml", "frxDsRoute",
     [](const TDataModules& m) -> TDataSet* { return m.dmRoute->tbl; }},
    {"flights", ":/templates/flights.xml", "frxDsFlight",
     [](const TDataModules& m) -> TDataSet* { return m.dmFlight->tbl; }},
    {"orders", ":/templates/orders.xml", "frxDsOrders",
     [](const TDataModules& m) -> TDataSet* { return m.dmOrders->tbl; }},
};

} // namespace

const TReportKind* findReportKind(const QString& name) {
    for (const TReportKind& kind : Kinds) {
        if (name == QLatin1String(kind.Name)) {
            return &kind;
        }
    }
    return nullptr;
}

void loadReportTemplate(TfrxReport& report, const TReportKind& kind, TProgramDataSource& source) {
    frxTemplate::loadFile(report, QString::fromLatin1(kind.TemplatePath));
    TfrxDBDataset* dataSet = report.findDBDataset(QString::fromLatin1(kind.DataSetName));
    if (!dataSet) {
        throw EfrxError(QStringLiteral("The template %1 has no dataset %2")
                            .arg(QLatin1String(kind.TemplatePath), QLatin1String(kind.DataSetName)));
    }
    dataSet->setDataSource(&source);
}
