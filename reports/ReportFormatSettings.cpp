#include "reports/ReportFormatSettings.h"

#include "data/FormatSettings.h"
#include "report_engine/model/FormatData.h"

void installReportFormatSettings() {
    const TFormatSettings& program = FormatSettings();
    TfrxFormatSettings settings;
    settings.DecimalSeparator = program.DecimalSeparator;
    settings.ListSeparator = program.ListSeparator;
    settings.ShortDateFormat = program.ShortDateFormat;
    settings.LongTimeFormat = program.LongTimeFormat;
    TfrxFormatSettings::install(settings);
}
