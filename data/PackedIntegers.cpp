#include "data/PackedIntegers.h"

#include <algorithm>

namespace {
int widthOf(qint64 value) {
    if (value == static_cast<qint8>(value))
        return 1;
    if (value == static_cast<qint16>(value))
        return 2;
    return value == static_cast<qint32>(value) ? 4 : 8;
}

template <typename T> void store(unsigned char* at, qint64 value) {
    const T narrow = static_cast<T>(value);
    std::memcpy(at, &narrow, sizeof narrow);
}
} // namespace

void TPackedIntegers::set(int row, qint64 value) {
    if (widthOf(value - FRowFactor * row) > FWidth)
        repack(row, value);
    else
        keep(row, value - FRowFactor * row);
}

void TPackedIntegers::keep(int row, qint64 value) {
    unsigned char* const at = FBytes.data() + size_t(row) * size_t(FWidth);
    switch (FWidth) {
    case 1:
        store<qint8>(at, value);
        break;
    case 2:
        store<qint16>(at, value);
        break;
    case 4:
        store<qint32>(at, value);
        break;
    default:
        store<qint64>(at, value);
        break;
    }
}

// The value does not fit: every value is kept anew, as itself or as its distance
// from its row, whichever needs fewer bytes, and never in fewer than before, so
// that reading a table widens a column only a few times.
void TPackedIntegers::repack(int row, qint64 value) {
    const int rows = int(FBytes.size() / size_t(FWidth));
    std::vector<qint64> values(static_cast<size_t>(rows));
    for (int r = 0; r < rows; ++r)
        values[size_t(r)] = r == row ? value : at(r);
    int plain = FWidth;
    int fromRow = FWidth;
    for (int r = 0; r < rows; ++r) {
        plain = std::max(plain, widthOf(values[size_t(r)]));
        fromRow = std::max(fromRow, widthOf(values[size_t(r)] - r));
    }
    FRowFactor = fromRow < plain ? 1 : 0;
    FWidth = std::min(plain, fromRow);
    FBytes.assign(size_t(rows) * size_t(FWidth), 0);
    for (int r = 0; r < rows; ++r)
        keep(r, values[size_t(r)] - FRowFactor * r);
}
