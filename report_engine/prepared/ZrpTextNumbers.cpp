#include "report_engine/prepared/ZrpTextNumbers.h"

#include "report_engine/prepared/PreparedTexts.h"

#include <utility>

namespace {
constexpr qint32 FreeSlot = 0;

quint32 slotHash(int id) {
    return static_cast<quint32>((static_cast<quint64>(static_cast<quint32>(id)) * 0x9E3779B97F4A7C15ULL) >>
                                32);
}
} // namespace

int& TZrpTextNumbers::of(const TfrxPreparedTexts& texts, int id) {
    const int stored = TfrxPreparedTexts::storedIndex(id);
    if (stored < 0)
        return numberSlot(id).number;
    if (static_cast<size_t>(stored) >= FStored.size())
        FStored.resize(static_cast<size_t>(texts.count()), -1);
    return FStored[static_cast<size_t>(stored)];
}

// Open addressing, kept up to three quarters full.
TZrpTextNumbers::TSlot& TZrpTextNumbers::numberSlot(int id) {
    if (4 * (FNumberCount + 1) > 3 * FNumbers.size())
        growNumbers();
    const quint32 mask = static_cast<quint32>(FNumbers.size() - 1);
    quint32 slot = slotHash(id) & mask;
    while (FNumbers[slot].id != id && FNumbers[slot].id != FreeSlot)
        slot = (slot + 1) & mask;
    if (FNumbers[slot].id == FreeSlot) {
        FNumbers[slot] = {id, -1};
        ++FNumberCount;
    }
    return FNumbers[slot];
}

void TZrpTextNumbers::growNumbers() {
    std::vector<TSlot> old = std::exchange(
        FNumbers, std::vector<TSlot>(FNumbers.empty() ? 1024 : FNumbers.size() * 2, TSlot{FreeSlot, -1}));
    const quint32 mask = static_cast<quint32>(FNumbers.size() - 1);
    for (const TSlot& moved : old) {
        if (moved.id == FreeSlot)
            continue;
        quint32 slot = slotHash(moved.id) & mask;
        while (FNumbers[slot].id != FreeSlot)
            slot = (slot + 1) & mask;
        FNumbers[slot] = moved;
    }
}
