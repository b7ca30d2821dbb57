#include "report_engine/prepared/PreparedTexts.h"

#include "report_engine/base/ReportError.h"

#include <cstring>
#include <utility>

namespace {
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

const char16_t* TfrxPreparedTexts::storedAt(quint32 place) const {
    return reinterpret_cast<const char16_t*>(FBlocks[place >> 16].constData()) + (place & 0xFFFF);
}

QStringView TfrxPreparedTexts::textAt(quint32 place) const {
    const char16_t* const at = storedAt(place);
    return QStringView(at + HeaderUnits, at[0] | qsizetype(at[1]) << 16);
}

qint32 TfrxPreparedTexts::entryAt(quint32 place) const {
    const char16_t* const at = storedAt(place);
    return static_cast<qint32>(at[2] | quint32(at[3]) << 16);
}

QString TfrxPreparedTexts::text(int id) const {
    if (id & NumberTag)
        return QString::number(id >> 1);
    return textAt(FEntries.at(static_cast<size_t>(id >> 1))).toString();
}

void TfrxPreparedTexts::prefetchEntry(int id) const {
    if (!(id & NumberTag))
        __builtin_prefetch(FEntries.data() + (id >> 1));
}

void TfrxPreparedTexts::prefetchText(int id) const {
    if (!(id & NumberTag)) {
        __builtin_prefetch(storedAt(FEntries[static_cast<size_t>(id >> 1)]));
    }
}

void TfrxPreparedTexts::prefetchSlots(std::span<const QStringView> texts) const {
    FPrefetchedHashes.clear();
    if (FSlots.empty())
        return;
    const quint32 mask = static_cast<quint32>(FSlots.size() - 1);
    for (const QStringView text : texts) {
        const quint32 hash = textHash(text);
        FPrefetchedHashes.push_back(hash);
        __builtin_prefetch(FSlots.data() + (hash & mask));
    }
}

// The slots may have grown since, or the texts changed: then only the texts
// asked for are not the ones added, which costs a wait, never a wrong number.
void TfrxPreparedTexts::prefetchStored() const {
    if (FSlots.empty())
        return;
    const quint32 mask = static_cast<quint32>(FSlots.size() - 1);
    for (const quint32 hash : FPrefetchedHashes) {
        const TSlot& slot = FSlots[hash & mask];
        if (slot.place != FreeSlot && slot.hash == hash)
            __builtin_prefetch(storedAt(slot.place));
    }
}

// Only a text that the number gives back exactly: "0", "7", "120", never "007" or "+7".
bool TfrxPreparedTexts::plainNumber(QStringView text, int* value) {
    if (text.isEmpty() || text.size() > MaxNumberDigits || (text[0] == u'0' && text.size() > 1))
        return false;
    int number = 0;
    for (const QChar c : text) {
        if (c < u'0' || c > u'9')
            return false;
        number = number * 10 + (c.unicode() - u'0');
    }
    *value = number;
    return true;
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
        if (probe.place == FreeSlot)
            return slot;
        if (probe.hash != hash)
            continue;
        const QStringView stored = textAt(probe.place);
        // The empty text may have no characters at all to compare.
        if (stored.size() == text.size() &&
            (text.isEmpty() || std::memcmp(stored.utf16(), text.utf16(),
                                           static_cast<size_t>(text.size()) * sizeof(char16_t)) == 0))
            return slot;
    }
}

void TfrxPreparedTexts::growSlots() {
    std::vector<TSlot> old = std::exchange(
        FSlots, std::vector<TSlot>(FSlots.empty() ? 1024 : FSlots.size() * 2, TSlot{0, FreeSlot}));
    const quint32 mask = static_cast<quint32>(FSlots.size() - 1);
    for (const TSlot& moved : old) {
        if (moved.place == FreeSlot)
            continue;
        quint32 slot = moved.hash & mask;
        while (FSlots[slot].place != FreeSlot)
            slot = (slot + 1) & mask;
        FSlots[slot] = moved;
    }
}

quint32 TfrxPreparedTexts::store(QStringView text, quint32 entry) {
    const qsizetype units = HeaderUnits + text.size();
    // A text that does not fit the last block starts the next, which is its own
    // when the text is longer than a block.
    if (FBlocks.empty() || FBlocks.back().size() + units > BlockSize) {
        if (FBlocks.size() > MaxBlocks)
            throw EfrxError(QStringLiteral("The report has more text than it can hold"));
        FBlocks.emplace_back();
        FBlocks.back().reserve(std::max(BlockSize, units));
    }
    QString& block = FBlocks.back();
    const auto place = static_cast<quint32>((FBlocks.size() - 1) << 16 | static_cast<size_t>(block.size()));
    const auto length = static_cast<quint32>(text.size());
    block.append(QChar(static_cast<char16_t>(length & 0xFFFF)));
    block.append(QChar(static_cast<char16_t>(length >> 16)));
    block.append(QChar(static_cast<char16_t>(entry & 0xFFFF)));
    block.append(QChar(static_cast<char16_t>(entry >> 16)));
    block.append(text);
    return place;
}

int TfrxPreparedTexts::add(QStringView text) {
    if (int number = 0; plainNumber(text, &number))
        return number << 1 | NumberTag;
    if (4 * (FEntries.size() + 1) > 3 * FSlots.size())
        growSlots();
    const quint32 hash = textHash(text);
    TSlot& slot = FSlots[slotOf(text, hash)];
    if (slot.place == FreeSlot) {
        const auto entry = static_cast<quint32>(FEntries.size());
        FEntries.push_back(store(text, entry));
        slot = {hash, FEntries.back()};
        return static_cast<qint32>(entry) << 1;
    }
    return entryAt(slot.place) << 1;
}
