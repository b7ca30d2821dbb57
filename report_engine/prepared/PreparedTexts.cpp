#include "report_engine/prepared/PreparedTexts.h"

#include "report_engine/base/ReportError.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <iterator>
#include <utility>

namespace {
constexpr qint32 FreeSlot = -1;

// The one-byte code of stored texts: ASCII as itself, the Russian letters А..я
// after it, then the few signs the office's texts use besides.
constexpr char16_t CyrillicFirst = u'А';
constexpr int CyrillicCount = 64;
constexpr int CyrillicCode = 0x80;
constexpr char16_t Signs[] = {u'Ё', u'ё', u'№', u'«', u'»', u'–', u'—', u'\u00A0', u'…', u'°'};
constexpr int SignCode = CyrillicCode + CyrillicCount;

// The byte that stands for the character, or -1 when it has none.
int oneByte(char16_t c) {
    if (c < 0x80)
        return c;
    if (static_cast<unsigned>(c - CyrillicFirst) < CyrillicCount)
        return CyrillicCode + (c - CyrillicFirst);
    for (int i = 0; i < static_cast<int>(std::size(Signs)); ++i) {
        if (Signs[i] == c)
            return SignCode + i;
    }
    return -1;
}

constexpr std::array<char16_t, 256> decodeTable() {
    std::array<char16_t, 256> table{};
    for (int code = 0; code < CyrillicCode; ++code)
        table[static_cast<size_t>(code)] = static_cast<char16_t>(code);
    for (int i = 0; i < CyrillicCount; ++i)
        table[static_cast<size_t>(CyrillicCode + i)] = static_cast<char16_t>(CyrillicFirst + i);
    for (size_t i = 0; i < std::size(Signs); ++i)
        table[SignCode + i] = Signs[i];
    return table;
}
constexpr std::array<char16_t, 256> Decode = decodeTable();

// Eight bytes at a time, multiplied through and folded at the end. The
// library's string hash is built to resist chosen collisions and costs several
// times more; texts of a report are not chosen against us.
quint32 bytesHash(const char* bytes, size_t size) {
    constexpr quint64 multiplier = 0x9E3779B97F4A7C15ULL;
    quint64 hash = static_cast<quint64>(size) * multiplier;
    size_t left = size;
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

const char* TfrxPreparedTexts::storedAt(quint32 place) const {
    return FBlocks[place >> 16].get() + (place & 0xFFFF);
}

QString TfrxPreparedTexts::text(int id) const {
    if (id & NumberTag)
        return QString::number(id >> 1);
    const char* at = storedAt(FEntries.at(static_cast<size_t>(id >> 1)));
    quint32 header;
    std::memcpy(&header, at, HeaderBytes);
    const qsizetype length = header >> 1;
    QString text(length, Qt::Uninitialized);
    char16_t* out = reinterpret_cast<char16_t*>(text.data());
    at += HeaderBytes;
    if (header & WideBit) {
        std::memcpy(out, at, static_cast<size_t>(length) * sizeof(char16_t));
        return text;
    }
    for (qsizetype i = 0; i < length; ++i)
        out[i] = Decode[static_cast<unsigned char>(at[i])];
    return text;
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
    FLastBlockUsed = FLastBlockSize = 0;
    FEntries.clear();
    FSlots.clear();
}

// Puts the text's stored form into FAdding: one byte a character when every
// character has one, two otherwise.
void TfrxPreparedTexts::encode(QStringView text) {
    if (text.size() > MaxLength)
        throw EfrxError(QStringLiteral("The report has a text longer than it can hold"));
    const auto length = static_cast<size_t>(text.size());
    FAdding.resize(HeaderBytes + length * sizeof(char16_t));
    char* out = FAdding.data() + HeaderBytes;
    quint32 header = static_cast<quint32>(length) << 1;
    size_t i = 0;
    for (; i < length; ++i) {
        const int code = oneByte(text[static_cast<qsizetype>(i)].unicode());
        if (code < 0)
            break;
        out[i] = static_cast<char>(code);
    }
    if (i == length) {
        FAdding.resize(HeaderBytes + length);
    } else {
        header |= WideBit;
        std::memcpy(out, text.utf16(), length * sizeof(char16_t));
    }
    std::memcpy(FAdding.data(), &header, HeaderBytes);
}

// Headers first: a stored text shorter than the one being added may end its
// block, so its characters are compared only once its length is known equal.
bool TfrxPreparedTexts::sameAsAdding(const char* stored) const {
    return std::memcmp(stored, FAdding.data(), HeaderBytes) == 0 &&
           std::memcmp(stored + HeaderBytes, FAdding.data() + HeaderBytes, FAdding.size() - HeaderBytes) == 0;
}

// The slot holding the text in FAdding, or the free slot where it belongs.
quint32 TfrxPreparedTexts::slotOf(quint32 hash) const {
    const quint32 mask = static_cast<quint32>(FSlots.size() - 1);
    for (quint32 slot = hash & mask;; slot = (slot + 1) & mask) {
        const TSlot& probe = FSlots[slot];
        if (probe.entry == FreeSlot)
            return slot;
        if (probe.hash == hash && sameAsAdding(storedAt(FEntries[static_cast<size_t>(probe.entry)])))
            return slot;
    }
}

void TfrxPreparedTexts::growSlots() {
    std::vector<TSlot> old = std::exchange(
        FSlots, std::vector<TSlot>(FSlots.empty() ? 1024 : FSlots.size() * 2, TSlot{0, FreeSlot}));
    const quint32 mask = static_cast<quint32>(FSlots.size() - 1);
    for (const TSlot& moved : old) {
        if (moved.entry == FreeSlot)
            continue;
        quint32 slot = moved.hash & mask;
        while (FSlots[slot].entry != FreeSlot)
            slot = (slot + 1) & mask;
        FSlots[slot] = moved;
    }
}

quint32 TfrxPreparedTexts::store() {
    const auto bytes = static_cast<qsizetype>(FAdding.size());
    // A text that does not fit the last block starts the next, which is its own
    // when the text is longer than a block.
    if (FBlocks.empty() || FLastBlockUsed + bytes > FLastBlockSize) {
        if (FBlocks.size() > MaxBlocks)
            throw EfrxError(QStringLiteral("The report has more text than it can hold"));
        FLastBlockSize = std::max(BlockBytes, bytes);
        FBlocks.push_back(std::make_unique_for_overwrite<char[]>(static_cast<size_t>(FLastBlockSize)));
        FLastBlockUsed = 0;
    }
    const auto place = static_cast<quint32>((FBlocks.size() - 1) << 16 | static_cast<size_t>(FLastBlockUsed));
    std::memcpy(FBlocks.back().get() + FLastBlockUsed, FAdding.data(), FAdding.size());
    FLastBlockUsed += bytes;
    return place;
}

int TfrxPreparedTexts::add(QStringView text) {
    if (int number = 0; plainNumber(text, &number))
        return number << 1 | NumberTag;
    if (4 * (FEntries.size() + 1) > 3 * FSlots.size())
        growSlots();
    encode(text);
    const quint32 hash = bytesHash(FAdding.data(), FAdding.size());
    TSlot& slot = FSlots[slotOf(hash)];
    if (slot.entry == FreeSlot) {
        FEntries.push_back(store());
        slot = {hash, static_cast<qint32>(FEntries.size() - 1)};
    }
    return slot.entry << 1;
}
