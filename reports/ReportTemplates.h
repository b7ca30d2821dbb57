#pragma once

#include <QString>
#include <memory>

class TDataModules;
class TDataSet;
class TfrxReport;
class TProgramDataSource;

// The program's three reports: each prints one list window's dataset with the
// template carried in the resources.
struct TReportKind {
    const char* Name;         // "routes", "flights", "orders"
    const char* TemplatePath; // resource path of the template
    const char* DataSetName;  // the template's report dataset
    TDataSet* (*ListDataSet)(const TDataModules& modules);
};

// nullptr for an unknown name.
const TReportKind* findReportKind(const QString& name);

// Loads the template into `report` and points its report dataset at `source`,
// which must outlive the report's runs. Throws EfrxError when the template is
// unusable.
void loadReportTemplate(TfrxReport& report, const TReportKind& kind, TProgramDataSource& source);
