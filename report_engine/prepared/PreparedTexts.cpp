#include "report_engine/prepared/PreparedTexts.h"

#include <cstring>
#include <utility>

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
    // The empty text may have no characters at all to copy from.
    if (left > 0)
        std::memcpy(&tail, bytes, left);
    hash = (hash ^ tail) * multiplier;
    return static_cast<quint32>((hash ^ (hash >> 32)) * multiplier >> 32);
}
} // namespace

QStringView TfrxPreparedTexts::text(int id) const {
    const TEntry& entry = FEntries.at(static_cast<size_t>(id));
    return QStringView(entry.data, entry.length);
}

void TfrxPreparedTexts::clear() {
    FBlocks.clear();
    FEntries.clear();
    FSlots.clear();
}

// The slot holding this text, or the free slot where it belongs.
quint32 TfrxPreparedTexts::slotOf(QStringView text, quint32 hash) const {
    const quint32 mask = static_cast<quint32>(FSlots.size() - 1);
    for (quint32 slot = hash & mask;; slot = (slot + 1) & mask) {
        const TSlot& probe = FSlots[slot];
        if (probe.id == FreeSlot)
            return slot;
        if (probe.hash != hash)
            continue;
        const TEntry& entry = FEntries[static_cast<size_t>(probe.id)];
        if (entry.length == text.size() &&
            (text.isEmpty() ||
             std::memcmp(entry.data, text.utf16(), static_cast<size_t>(text.size()) * sizeof(char16_t)) == 0))
            return slot;
    }
}

void TfrxPreparedTexts::growSlots() {
    std::vector<TSlot> old = std::exchange(
        FSlots, std::vector<TSlot>(FSlots.empty() ? 1024 : FSlots.size() * 2, TSlot{0, FreeSlot}));
    const quint32 mask = static_cast<quint32>(FSlots.size() - 1);
    for (const TSlot& moved : old) {
        if (moved.id == FreeSlot)
            continue;
        quint32 slot = moved.hash & mask;
        while (FSlots[slot].id != FreeSlot)
            slot = (slot + 1) & mask;
        FSlots[slot] = moved;
    }
}

TfrxPreparedTexts::TEntry TfrxPreparedTexts::store(QStringView text) {
    if (FBlocks.empty() || FBlocks.back().size() + text.size() > FBlocks.back().capacity()) {
        FBlocks.emplace_back();
        FBlocks.back().reserve(std::max(BlockSize, text.size()));
    }
    QString& block = FBlocks.back();
    const qsizetype start = block.size();
    block.append(text);
    return {reinterpret_cast<const char16_t*>(block.constData()) + start, text.size()};
}

int TfrxPreparedTexts::add(QStringView text) {
    // Kept at most half full, so a search ends after a slot or two.
    if (2 * (FEntries.size() + 1) > FSlots.size())
        growSlots();
    const quint32 hash = textHash(text);
    TSlot& slot = FSlots[slotOf(text, hash)];
    if (slot.id == FreeSlot) {
        FEntries.push_back(store(text));
        slot = {hash, static_cast<qint32>(FEntries.size() - 1)};
    }
    return slot.id;
}
