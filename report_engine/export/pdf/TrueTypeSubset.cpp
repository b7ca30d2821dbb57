#include "report_engine/export/pdf/TrueTypeSubset.h"

#include "report_engine/base/ReportError.h"

#include <QtEndian>
#include <algorithm>
#include <set>

namespace {
[[noreturn]] void broken() {
    throw EfrxError(QStringLiteral("The font file cannot be read"));
}

// Big-endian numbers of the font, read only where the data has them.
quint32 bigEndian(const QByteArray& data, qsizetype at, int bytes) {
    if (at < 0 || at + bytes > data.size())
        broken();
    quint32 value = 0;
    for (int i = 0; i < bytes; ++i)
        value = value << 8 | static_cast<quint8>(data[at + i]);
    return value;
}

quint16 u16(const QByteArray& data, qsizetype at) {
    return static_cast<quint16>(bigEndian(data, at, 2));
}

quint32 u32(const QByteArray& data, qsizetype at) {
    return bigEndian(data, at, 4);
}

void put16(QByteArray& data, qsizetype at, quint16 value) {
    qToBigEndian(value, data.data() + at);
}

void put32(QByteArray& data, qsizetype at, quint32 value) {
    qToBigEndian(value, data.data() + at);
}

quint32 checksum(const QByteArray& data) {
    QByteArray padded = data;
    padded.append(QByteArray((4 - padded.size() % 4) % 4, '\0'));
    quint32 sum = 0;
    for (qsizetype i = 0; i < padded.size(); i += 4)
        sum += u32(padded, i);
    return sum;
}

struct TTable {
    QByteArray Tag;
    QByteArray Data;
};

std::vector<TTable> readTables(const QByteArray& font) {
    std::vector<TTable> tables;
    const quint16 count = u16(font, 4);
    for (quint16 i = 0; i < count; ++i) {
        const qsizetype record = 12 + 16 * i;
        const quint32 offset = u32(font, record + 8);
        const quint32 length = u32(font, record + 12);
        if (static_cast<qint64>(offset) + length > font.size())
            broken();
        tables.push_back({font.mid(record, 4), font.mid(offset, length)});
    }
    return tables;
}

const QByteArray& table(const std::vector<TTable>& tables, const char* tag) {
    for (const TTable& t : tables)
        if (t.Tag == tag)
            return t.Data;
    broken();
}

// The glyph's place in glyf, from loca in its short or long form.
std::pair<quint32, quint32> glyphSpan(const QByteArray& loca, bool longOffsets, int glyph) {
    if (longOffsets)
        return {u32(loca, 4 * glyph), u32(loca, 4 * (glyph + 1))};
    return {2u * u16(loca, 2 * glyph), 2u * u16(loca, 2 * (glyph + 1))};
}

// Adds the components of a composite glyph, and theirs, to the kept glyphs.
void addComponents(const QByteArray& glyf, const QByteArray& loca, bool longOffsets, int glyphCount,
                   int glyph, std::set<int>& kept) {
    const auto [start, end] = glyphSpan(loca, longOffsets, glyph);
    if (end <= start || static_cast<qint16>(u16(glyf, start)) >= 0)
        return;
    constexpr quint16 ArgsAreWords = 0x0001, HaveScale = 0x0008, MoreComponents = 0x0020,
                      HaveXYScale = 0x0040, HaveTwoByTwo = 0x0080;
    qsizetype at = start + 10;
    quint16 flags = 0;
    do {
        flags = u16(glyf, at);
        const quint16 component = u16(glyf, at + 2);
        if (component < glyphCount && kept.insert(component).second)
            addComponents(glyf, loca, longOffsets, glyphCount, component, kept);
        at += 4 + ((flags & ArgsAreWords) ? 4 : 2);
        at += (flags & HaveScale) ? 2 : (flags & HaveXYScale) ? 4 : (flags & HaveTwoByTwo) ? 8 : 0;
    } while ((flags & MoreComponents) && at < end);
}
// The tables a reader of an embedded CID TrueType font uses: the outlines with
// their metrics, the hinting programs, OS/2 and the names-free post table. A
// glyph is found by its number (the CID), so the character map is not read;
// nor are layout, kerning, glyph names, device metrics or signatures, which
// would otherwise be the greater part of the subset.
bool readerNeeds(const QByteArray& tag) {
    static const char* const needed[] = {"OS/2", "cvt ", "fpgm", "glyf", "head", "hhea",
                                         "hmtx", "loca", "maxp", "post", "prep"};
    return std::any_of(std::begin(needed), std::end(needed), [&tag](const char* t) { return tag == t; });
}

// Version 3 of post: the same header, without glyph names.
QByteArray withoutGlyphNames(const QByteArray& post) {
    constexpr qsizetype HeaderSize = 32;
    if (post.size() < HeaderSize)
        broken();
    QByteArray header = post.left(HeaderSize);
    put32(header, 0, 0x00030000u);
    return header;
}

// The table directory's header: the count and its binary-search fields.
QByteArray directoryHeader(const QByteArray& font, int tableCount) {
    QByteArray header = font.left(12);
    int power = 1;
    int log = 0;
    while (power * 2 <= tableCount) {
        power *= 2;
        ++log;
    }
    put16(header, 4, static_cast<quint16>(tableCount));
    put16(header, 6, static_cast<quint16>(16 * power));
    put16(header, 8, static_cast<quint16>(log));
    put16(header, 10, static_cast<quint16>(16 * tableCount - 16 * power));
    return header;
}

// Horizontal metrics with those of the emptied glyphs set to zero, which makes
// them compress to almost nothing. The last full metric keeps its advance, as
// every glyph after it takes that advance.
QByteArray keptMetrics(const QByteArray& hmtx, int metricCount, int glyphCount, const std::set<int>& kept) {
    QByteArray metrics = hmtx;
    for (int glyph = 0; glyph < glyphCount; ++glyph) {
        if (kept.count(glyph))
            continue;
        if (glyph < metricCount) {
            if (4 * glyph + 4 > metrics.size())
                broken();
            if (glyph + 1 < metricCount)
                put16(metrics, 4 * glyph, 0);
            put16(metrics, 4 * glyph + 2, 0);
        } else {
            const qsizetype at = 4 * metricCount + 2 * (glyph - metricCount);
            if (at + 2 > metrics.size())
                broken();
            put16(metrics, at, 0);
        }
    }
    return metrics;
}

// Outlines of the kept glyphs, each at its old number; the others are empty.
std::pair<QByteArray, QByteArray> keptOutlines(const QByteArray& glyf, const QByteArray& loca,
                                               bool longOffsets, int glyphCount, const std::set<int>& kept) {
    QByteArray newGlyf;
    QByteArray newLoca(longOffsets ? 4 * (glyphCount + 1) : 2 * (glyphCount + 1), '\0');
    for (int glyph = 0; glyph <= glyphCount; ++glyph) {
        if (longOffsets)
            put32(newLoca, 4 * glyph, static_cast<quint32>(newGlyf.size()));
        else
            put16(newLoca, 2 * glyph, static_cast<quint16>(newGlyf.size() / 2));
        if (glyph == glyphCount || !kept.count(glyph))
            continue;
        const auto [start, end] = glyphSpan(loca, longOffsets, glyph);
        if (end < start || end > static_cast<quint32>(glyf.size()))
            broken();
        newGlyf += glyf.mid(start, end - start);
        newGlyf.append(QByteArray((4 - newGlyf.size() % 4) % 4, '\0'));
    }
    return {newGlyf, newLoca};
}
} // namespace

QByteArray frxSubsetTrueType(const QByteArray& font, const std::vector<quint16>& glyphs) {
    std::vector<TTable> tables = readTables(font);
    const QByteArray& head = table(tables, "head");
    const bool longOffsets = static_cast<qint16>(u16(head, 50)) == 1;
    const int glyphCount = u16(table(tables, "maxp"), 4);
    const QByteArray& glyf = table(tables, "glyf");
    const QByteArray& loca = table(tables, "loca");

    std::set<int> kept{0};
    for (const quint16 glyph : glyphs)
        if (glyph < glyphCount)
            kept.insert(glyph);
    for (const int glyph : std::set<int>(kept))
        addComponents(glyf, loca, longOffsets, glyphCount, glyph, kept);
    auto [newGlyf, newLoca] = keptOutlines(glyf, loca, longOffsets, glyphCount, kept);
    const QByteArray newHmtx =
        keptMetrics(table(tables, "hmtx"), u16(table(tables, "hhea"), 34), glyphCount, kept);

    std::vector<TTable> written;
    for (const TTable& t : tables) {
        if (!readerNeeds(t.Tag))
            continue;
        written.push_back(t);
        TTable& w = written.back();
        if (w.Tag == "glyf")
            w.Data = newGlyf;
        else if (w.Tag == "loca")
            w.Data = newLoca;
        else if (w.Tag == "hmtx")
            w.Data = newHmtx;
        else if (w.Tag == "post")
            w.Data = withoutGlyphNames(w.Data);
        else if (w.Tag == "head")
            put32(w.Data, 8, 0); // the whole-font checksum is set last
    }
    QByteArray out = directoryHeader(font, static_cast<int>(written.size()));
    qsizetype offset = 12 + 16 * static_cast<qsizetype>(written.size());
    QByteArray body;
    qsizetype headAt = -1;
    for (const TTable& t : written) {
        QByteArray record = t.Tag;
        record.append(QByteArray(12, '\0'));
        put32(record, 4, checksum(t.Data));
        put32(record, 8, static_cast<quint32>(offset));
        put32(record, 12, static_cast<quint32>(t.Data.size()));
        out += record;
        if (t.Tag == "head")
            headAt = offset;
        QByteArray data = t.Data;
        data.append(QByteArray((4 - data.size() % 4) % 4, '\0'));
        body += data;
        offset += data.size();
    }
    out += body;
    if (headAt >= 0)
        put32(out, headAt + 8, 0xB1B0AFBAu - checksum(out));
    return out;
}
