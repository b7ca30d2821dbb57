#include "report_engine/print/PrintSheet.h"

#include <algorithm>

namespace {
QSizeF oriented(QSizeF upright, bool landscape) {
    return landscape ? upright.transposed() : upright;
}

// Columns and rows of the pages on one sheet.
QSize grid(int pagesOnSheet) {
    switch (pagesOnSheet) {
    case 2:
        return {2, 1};
    case 4:
        return {2, 2};
    default:
        return {1, 1};
    }
}
} // namespace

TfrxSheet frxSheetFor(TfrxPrintMode mode, int pagesOnSheet, int paper, QSizeF paperSize, QSizeF pageSize) {
    const bool pageLandscape = pageSize.width() > pageSize.height();
    TfrxSheet sheet;
    sheet.Paper = paper;
    sheet.PagesOnSheet = mode == TfrxPrintMode::pmJoin ? (pagesOnSheet == 4 ? 4 : 2) : 1;
    // Two pages side by side fit best across a sheet turned the other way.
    const bool landscape = sheet.PagesOnSheet == 2 ? !pageLandscape : pageLandscape;
    sheet.Size = oriented(paperSize, landscape);
    sheet.Orientation = landscape ? TfrxOrientation::poLandscape : TfrxOrientation::poPortrait;
    return sheet;
}

TfrxPlacement frxPlacePage(const TfrxSheet& sheet, QSizeF pageSize, int slot) {
    const QSize cells = grid(sheet.PagesOnSheet);
    const QSizeF cell(sheet.Size.width() / cells.width(), sheet.Size.height() / cells.height());
    TfrxPlacement placement;
    placement.Scale = std::min(cell.width() / pageSize.width(), cell.height() / pageSize.height());
    const QSizeF drawn = pageSize * placement.Scale;
    const int column = slot % cells.width();
    const int row = slot / cells.width();
    placement.Origin = QPointF(column * cell.width() + (cell.width() - drawn.width()) / 2,
                               row * cell.height() + (cell.height() - drawn.height()) / 2);
    return placement;
}
