#include "report_engine/model/ReportFont.h"

#include "report_engine/base/ReportUnits.h"

#include <cstdlib>

int TfrxFont::Size() const {
    return static_cast<int>(frxRound(std::abs(Height) * 72.0 / 96.0));
}

int TfrxFont::PixelsAt600() const {
    return static_cast<int>(frxRound(Size() * 600.0 / 72.0));
}
