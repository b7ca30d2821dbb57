#include "report_engine/PreparedTexts.h"

#include <cstring>

namespace {
constexpr qint32 FreeSlot = -1;

// Four characters at a time, multiplied through and folded at the end. The
// library's string hash is built to resist chosen collisions and costs several
// times more; texts of a report are not chosen against us.
quint32 textHash(QStringView text) {
    constexpr quint64 multiplier = 0x9E3779B97F4A7C15ULL;
    quint64 hash = static_cast<quint64>(text.size()) * multiplier;
    const char* bytes = reinterpret_cast<const char*>(text.utf16());
    size_t left = static_cast<size_t>(text.size()) * sizeof(char16_t);
    for (; left >= 8; left -= 8, bytes += 8) {
        quint64 chunk;
        std::memcpy(&chunk, bytes, 8);
        hash = (hash ^ chunk) * multiplier;
        hash ^= hash >> 29;
    }
    quint64 tail = 0;
    std::memcpy(&tail, bytes, left);
    hash = (hash ^ tail) * multiplier;
    return static_cast<quint32>((hash ^ (hash >> 32)) * multiplier >> 32);
}
} // namespace

QStringView TfrxPreparedTexts::text(int id) const {
    const TEntry& entry = FEntries.at(static_cast<size_t>(id));
    return QStringView(FBlocks[entry.block]).sliced(entry.start, entry.length);
}

void TfrxPreparedTexts::clear() {
    FBlocks.clear();
    FEntries.clear();
    FSlots.clear();
}

// The slot holding this text, or the free slot where it belongs.
quint32 TfrxPreparedTexts::slotOf(QStringView text) const {
    const quint32 mask = static_cast<quint32>(FSlots.size() - 1);
    quint32 slot = textHash(text) & mask;
    while (FSlots[slot] != FreeSlot && this->text(FSlots[slot]) != text)
        slot = (slot + 1) & mask;
    return slot;
}

void TfrxPreparedTexts::growSlots() {
    FSlots.assign(FSlots.empty() ? 1024 : FSlots.size() * 2, FreeSlot);
    for (size_t id = 0; id < FEntries.size(); ++id)
        FSlots[slotOf(text(static_cast<int>(id)))] = static_cast<qint32>(id);
}

TfrxPreparedTexts::TEntry TfrxPreparedTexts::store(QStringView text) {
    if (FBlocks.empty() || FBlocks.back().size() + text.size() > FBlocks.back().capacity()) {
        FBlocks.emplace_back();
        FBlocks.back().reserve(std::max(BlockSize, text.size()));
    }
    QString& block = FBlocks.back();
    const TEntry entry{static_cast<quint32>(FBlocks.size() - 1), static_cast<quint32>(block.size()),
                       static_cast<quint32>(text.size())};
    block.append(text);
    return entry;
}

int TfrxPreparedTexts::add(QStringView text) {
    // Kept at most half full, so a search ends after a slot or two.
    if (2 * (FEntries.size() + 1) > FSlots.size())
        growSlots();
    const quint32 slot = slotOf(text);
    if (FSlots[slot] != FreeSlot)
        return FSlots[slot];
    FEntries.push_back(store(text));
    FSlots[slot] = static_cast<qint32>(FEntries.size() - 1);
    return FSlots[slot];
}
