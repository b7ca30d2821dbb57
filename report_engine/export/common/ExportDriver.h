#pragma once

class TfrxReport;
class TfrxCustomExportFilter;

// Writes the prepared pages of a report through an export filter, page by page
// and object by object; it does not run the report.
class TfrxExportDriver {
public:
    explicit TfrxExportDriver(TfrxReport& report) : FReport(report) {}
    // After the filter's dialog; false when the user cancelled or the export
    // failed, its errors then shown as a run's are.
    bool Export(TfrxCustomExportFilter& filter);

private:
    bool exportPages(TfrxCustomExportFilter& filter);

    TfrxReport& FReport;
};
