#pragma once

#include <cmath>

// Report coordinates are screen pixels at 96 per inch; paper is in millimetres.
// The millimetre factor is this exact decimal, not 96 / 25.4, because stored
// templates were written with it and every position follows from it.
constexpr double fr01cm = 3.77953;
constexpr double fr1cm = 37.7953;
constexpr double fr01in = 9.6;
constexpr int fr1in = 96;
constexpr double fr1CharX = 9.6;
constexpr int fr1CharY = 17;

// Measuring happens at 600 per inch; report units are 96 per inch.
constexpr int frDefPPI = 600;
constexpr int frScrPPI = 96;
constexpr double frPpiScale = 6.25;

// Every rounding to whole units in the engine is to nearest, ties to even.
inline double frxRound(double value) {
    return std::nearbyint(value);
}

// Millimetre values of templates are kept to five decimals once converted.
inline double frxMmToUnits(double mm) {
    return std::round(mm * fr01cm * 100000.0) / 100000.0;
}

// Positions are sums of such values, and binary fractions make a sum miss an
// exact fit by a hair (22.67717999999968 free for a row of 22.67718). Positions
// closer than this are the same place: far below the five decimals every value
// is kept to, far above the error of any sum on a page.
constexpr double frxPositionTolerance = 1e-6;

inline bool frxPosLess(double a, double b) {
    return a < b - frxPositionTolerance;
}
inline bool frxPosLessOrEqual(double a, double b) {
    return !frxPosLess(b, a);
}
