#include "report_engine/prepared/PreparedPage.h"

#include <bit>

namespace {
// Seven bits a byte, the lowest first; the high bit says another byte follows.
void putNumber(std::vector<quint8>& out, quint32 value) {
    while (value >= 0x80) {
        out.push_back(static_cast<quint8>(value | 0x80));
        value >>= 7;
    }
    out.push_back(static_cast<quint8>(value));
}

quint32 takeNumber(const quint8*& at) {
    quint32 value = 0;
    for (int shift = 0;; shift += 7) {
        const quint8 byte = *at++;
        value |= static_cast<quint32>(byte & 0x7F) << shift;
        if (byte < 0x80)
            return value;
    }
}

// How many numbers of the value list an object with this mask holds.
int valueCount(quint8 mask) {
    return std::popcount(static_cast<unsigned>(mask & 0xF));
}
} // namespace

void TfrxPreparedPage::add(const TfrxPreparedObject& object) {
    if (object.FAlias - 1 == FLastAlias) {
        FPacked.push_back(object.FMask | NextAlias);
    } else {
        FPacked.push_back(object.FMask);
        putNumber(FPacked, static_cast<quint32>(object.FAlias));
    }
    FLastAlias = object.FAlias;
    if (object.FMask & TfrxPreparedObject::mText)
        putNumber(FPacked, static_cast<quint32>(object.FText));
    ++FCount;
}

void TfrxPreparedPage::squeeze() {
    FPacked.shrink_to_fit();
    FValues.shrink_to_fit();
}

TfrxPreparedPage::TIterator TfrxPreparedPage::begin() const {
    return TIterator(FPacked.data(), FPacked.data() + FPacked.size());
}

TfrxPreparedPage::TIterator TfrxPreparedPage::end() const {
    const quint8* const last = FPacked.data() + FPacked.size();
    return TIterator(last, last);
}

TfrxPreparedPage::TIterator::TIterator(const quint8* at, const quint8* end) : FAt(at), FEnd(end) {
    FObject.FValues = 0;
    decode();
}

void TfrxPreparedPage::TIterator::decode() {
    if (FAt == FEnd)
        return;
    const quint8* next = FAt;
    const quint8 head = *next++;
    FObject.FMask = static_cast<quint8>(head & ~NextAlias);
    // FObject still holds the previous object, or none (alias -1) before the first.
    FObject.FAlias = head & NextAlias ? FObject.FAlias + 1 : static_cast<qint32>(takeNumber(next));
    FObject.FText = FObject.FMask & TfrxPreparedObject::mText ? static_cast<qint32>(takeNumber(next)) : -1;
    FNext = next;
}

TfrxPreparedPage::TIterator& TfrxPreparedPage::TIterator::operator++() {
    FObject.FValues += valueCount(FObject.FMask);
    FAt = FNext;
    decode();
    return *this;
}
