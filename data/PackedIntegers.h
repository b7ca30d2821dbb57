#pragma once

#include <QtGlobal>
#include <cstring>
#include <vector>

// A column of whole numbers kept in the fewest bytes that hold every value stored
// so far: 1, 2, 4 or 8. A million sales cost a byte each for a ticket type or a
// count, and the column widens, keeping its values, at the first that does not
// fit. Where the values rise with the rows, as the ids of a table read in their
// order do, each is kept as its distance from its row number, which a few gaps
// left by deleted rows keep small.
class TPackedIntegers {
public:
    explicit TPackedIntegers(int width = 1) : FWidth(width) {}

    qint64 at(int row) const { return kept(row) + FRowFactor * row; }
    void set(int row, qint64 value);
    // A new last row holding 0, or its row number where values are kept from it.
    void append() { FBytes.resize(FBytes.size() + size_t(FWidth)); }
    // Gives back what growing left unused.
    void squeeze() { FBytes.shrink_to_fit(); }
    // Asks the processor to bring in a row's value ahead of reading it.
    void prefetch(int row) const { __builtin_prefetch(FBytes.data() + size_t(row) * size_t(FWidth)); }

private:
    qint64 kept(int row) const {
        const unsigned char* const at = FBytes.data() + size_t(row) * size_t(FWidth);
        switch (FWidth) {
        case 1:
            return static_cast<qint8>(*at);
        case 2:
            return load<qint16>(at);
        case 4:
            return load<qint32>(at);
        default:
            return load<qint64>(at);
        }
    }
    template <typename T> static T load(const unsigned char* at) {
        T value;
        std::memcpy(&value, at, sizeof value);
        return value;
    }
    void keep(int row, qint64 value);
    void repack(int row, qint64 value);

    int FWidth;
    qint64 FRowFactor = 0; // 1 when values are kept as their distance from the row number
    std::vector<unsigned char> FBytes;
};
