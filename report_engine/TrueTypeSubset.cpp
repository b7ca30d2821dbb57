#include "report_engine/TrueTypeSubset.h"

#include "report_engine/ReportError.h"

#include <QtEndian>
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
} // namespace

QByteArray frxSubsetTrueType(const QByteArray& font, const std::vector<quint16>& glyphs) {
    std::vector<TTable> tables = readTables(font);
    const QByteArray& head = table(tables, "head");
    const bool longOffsets = static_cast<qint16>(u16(head, 50)) == 1;
    const int glyphCount = u16(table(tables, "maxp"), 4);
    const QByteArray glyf = table(tables, "glyf");
    const QByteArray loca = table(tables, "loca");

    std::set<int> kept{0};
    for (const quint16 glyph : glyphs)
        if (glyph < glyphCount)
            kept.insert(glyph);
    for (const int glyph : std::set<int>(kept))
        addComponents(glyf, loca, longOffsets, glyphCount, glyph, kept);

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

    for (TTable& t : tables) {
        if (t.Tag == "glyf")
            t.Data = newGlyf;
        else if (t.Tag == "loca")
            t.Data = newLoca;
        else if (t.Tag == "head")
            put32(t.Data, 8, 0); // the whole-font checksum is set last
    }
    QByteArray out = font.left(12);
    qsizetype offset = 12 + 16 * static_cast<qsizetype>(tables.size());
    QByteArray body;
    qsizetype headAt = -1;
    for (const TTable& t : tables) {
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
