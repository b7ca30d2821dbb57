#pragma once

#include "report_engine/model/Page.h"
#include "report_engine/model/PrintOptions.h"

#include <QPointF>
#include <QSizeF>

// The sheet pages are printed on. By default each page on its own paper; scaled,
// each page fitted to one chosen sheet; joined, two or four pages shrunk onto it.
struct TfrxSheet {
    int Paper = 0;
    QSizeF Size; // mm, as the sheet lies
    TfrxOrientation Orientation = TfrxOrientation::poPortrait;
    int PagesOnSheet = 1;
};

// Where a page lands on its sheet: its scale and the sheet position of its
// top-left corner in mm.
struct TfrxPlacement {
    double Scale = 1;
    QPointF Origin;
};

// The sheet for pages of pageSize (mm) in that mode; paper and paperSize are the
// chosen sheet's number and upright size.
TfrxSheet frxSheetFor(TfrxPrintMode mode, int pagesOnSheet, int paper, QSizeF paperSize, QSizeF pageSize);
// The place of the page that comes slot-th (from 0) on its sheet.
TfrxPlacement frxPlacePage(const TfrxSheet& sheet, QSizeF pageSize, int slot);
