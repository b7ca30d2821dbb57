#pragma once

#include <QString>

class TfrxPreviewPages;

// A plain-text listing of prepared pages, one line per output band and per object:
// page number (from 1), name, class, left, top, width, height (two decimals, report
// units from the top-left corner of the printable area) and text, separated by tabs.
// Line breaks inside a text are written as "\n", backslashes as "\\".
QString frxLayoutListing(const TfrxPreviewPages& pages);
