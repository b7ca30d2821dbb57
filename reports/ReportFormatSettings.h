#pragma once

// Hands the report engine the regional settings the program's own lists use, so
// a report shows dates, times and numbers in one form, the same as the lists.
void installReportFormatSettings();
