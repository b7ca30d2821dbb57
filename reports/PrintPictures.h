#pragma once

#include "report_engine/model/PrintOptions.h"

#include <QPixmap>

// The small pictures of the print dialog, drawn rather than stored so they
// follow the dialog's colours.
namespace frxPrintPictures {
// A printer, for each entry of the printer list.
QPixmap printer();
// Three numbered sheets twice over: 1 2 3, 1 2 3 collated; 1 1, 2 2, 3 3 not.
QPixmap collate(bool collated);
// How a print mode puts pages on sheets.
QPixmap printMode(TfrxPrintMode mode);
} // namespace frxPrintPictures
