#include "data/RowStore.h"

#include <QHash>
#include <QStringDecoder>

namespace {

constexpr qint64 MSecsPerDay = 86400000;
// Enough to hold every seat, first name and ticket type of a table; a text that
// is nearly always new (an address, a phone) only ever costs its hash.
constexpr size_t RecentTextSlots = 1024;
constexpr uint32_t NoRow = UINT32_MAX;

// Appends a text made only of one- and two-byte sequences (ASCII and Cyrillic:
// nearly every stored text) in one pass, which setting up a decoder for each of
// a million cells costs more than; anything else, longer sequences and
// malformed bytes alike, leaves the pool as it was and answers false.
bool appendShortUtf8(std::vector<char16_t>& pool, QByteArrayView text) {
    const size_t start = pool.size();
    pool.resize(start + size_t(text.size()));
    char16_t* out = pool.data() + start;
    const auto* in = reinterpret_cast<const unsigned char*>(text.data());
    const auto* const end = in + text.size();
    while (in != end) {
        if (*in < 0x80) {
            *out++ = *in++;
            continue;
        }
        // 0xC0 and 0xC1 would start an overlong form of an ASCII character.
        if (*in < 0xC2 || *in > 0xDF || end - in < 2 || (in[1] & 0xC0) != 0x80) {
            pool.resize(start);
            return false;
        }
        *out++ = char16_t(((in[0] & 0x1F) << 6) | (in[1] & 0x3F));
        in += 2;
    }
    pool.resize(size_t(out - pool.data()));
    return true;
}

} // namespace

TRowStore::TRowStore(const std::vector<TFieldType>& columnTypes) {
    FColumns.reserve(columnTypes.size());
    for (TFieldType type : columnTypes) {
        // Stamps never fit 32 bits.
        FColumns.push_back(
            Column{type, TPackedIntegers(type == TFieldType::DateTime ? 8 : 1), {}, {}, {}, {}, {}});
    }
}

int TRowStore::appendRow() {
    for (Column& column : FColumns) {
        column.nulls.push_back(true);
        switch (column.type) {
        case TFieldType::Float:
            column.reals.push_back(0);
            break;
        case TFieldType::String:
            column.textStart.push_back(0);
            column.integers.append();
            break;
        default:
            column.integers.append();
            break;
        }
    }
    FDeleted.push_back(false);
    return FRowCount++;
}

QVariant TRowStore::value(int row, int column) const {
    if (isNull(row, column)) {
        return {};
    }
    const Column& c = FColumns[column];
    switch (c.type) {
    case TFieldType::String:
        return text(row, column).toString();
    case TFieldType::Float:
        return c.reals[row];
    case TFieldType::Boolean:
        return c.integers.at(row) != 0;
    case TFieldType::DateTime:
        return fromStamp(c.integers.at(row));
    default:
        return int(c.integers.at(row));
    }
}

void TRowStore::setValue(int row, int column, const QVariant& value) {
    Column& c = FColumns[column];
    const bool null = !value.isValid() || value.isNull();
    if (null) {
        c.nulls[row] = true;
        return;
    }
    switch (c.type) {
    case TFieldType::String: {
        // Text is appended to the pool; an edit leaves the old text behind, which
        // costs far less than a separate allocation for every cell.
        const QString s = value.toString();
        setText(row, column, reinterpret_cast<const char16_t*>(s.utf16()), int(s.size()));
        break;
    }
    case TFieldType::Float:
        setReal(row, column, value.toDouble());
        break;
    case TFieldType::DateTime:
        setNumber(row, column, toStamp(value.toDateTime()));
        break;
    case TFieldType::Boolean:
        setNumber(row, column, value.toBool() ? 1 : 0);
        break;
    default:
        setNumber(row, column, value.toLongLong());
        break;
    }
}

void TRowStore::setNumber(int row, int column, qint64 value) {
    Column& c = FColumns[column];
    c.nulls[row] = false;
    c.integers.set(row, value);
}

void TRowStore::setReal(int row, int column, double value) {
    Column& c = FColumns[column];
    c.nulls[row] = false;
    c.reals[row] = value;
}

void TRowStore::setText(int row, int column, const char16_t* text, int length) {
    Column& c = FColumns[column];
    c.nulls[row] = false;
    c.textStart[row] = uint32_t(c.pool.size());
    c.integers.set(row, length);
    c.pool.insert(c.pool.end(), text, text + length);
}

// Texts come from the engine as UTF-8; converting them here, straight into the
// pool, spares the engine's own conversion and its allocation for every cell.
void TRowStore::setUtf8(int row, int column, QByteArrayView text) {
    Column& c = FColumns[column];
    const size_t start = c.pool.size();
    if (!appendShortUtf8(c.pool, text)) {
        c.pool.resize(start + size_t(text.size())); // never more characters than bytes
        QChar* const first = reinterpret_cast<QChar*>(c.pool.data() + start);
        // Stateless: a sequence cut short by the end of the text becomes a
        // replacement character instead of waiting for bytes that never come.
        const QChar* end =
            QStringDecoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless).appendToBuffer(first, text);
        c.pool.resize(start + size_t(end - first));
    }
    c.nulls[row] = false;
    c.textStart[row] = uint32_t(start);
    c.integers.set(row, qint64(c.pool.size() - start));
    shareRepeatedText(c, row);
}

// The row's text was just added at the end of the pool; when the last row read
// with a text of the same hash holds the same text, the row shares its characters.
void TRowStore::shareRepeatedText(Column& column, int row) {
    if (column.recentTexts.empty())
        column.recentTexts.assign(RecentTextSlots, NoRow);
    const QStringView text = textOf(column, row);
    uint32_t& recent = column.recentTexts[qHash(text) & (RecentTextSlots - 1)];
    if (recent != NoRow && !column.nulls[recent] && textOf(column, int(recent)) == text) {
        column.pool.resize(column.textStart[row]);
        column.textStart[row] = column.textStart[recent];
        return;
    }
    recent = uint32_t(row);
}

void TRowStore::squeeze() {
    for (Column& c : FColumns) {
        c.integers.squeeze();
        c.reals.shrink_to_fit();
        c.textStart.shrink_to_fit();
        c.pool.shrink_to_fit();
        c.nulls.shrink_to_fit();
        c.recentTexts = std::vector<uint32_t>();
    }
    FDeleted.shrink_to_fit();
}

double TRowStore::number(int row, int column) const {
    const Column& c = FColumns[column];
    return c.type == TFieldType::Float ? c.reals[row] : double(c.integers.at(row));
}

QStringView TRowStore::text(int row, int column) const {
    const Column& c = FColumns[column];
    return c.nulls[row] ? QStringView() : textOf(c, row);
}

void TRowStore::prefetch(int row, int column, TPrefetchStep step) const {
    const Column& c = FColumns[column];
    if (step == TPrefetchStep::Text) {
        if (c.type == TFieldType::String && !c.nulls[row]) {
            __builtin_prefetch(c.pool.data() + c.textStart[row]);
        }
    } else if (c.type == TFieldType::Float) {
        __builtin_prefetch(c.reals.data() + row);
    } else {
        if (c.type == TFieldType::String) {
            __builtin_prefetch(c.textStart.data() + row);
        }
        c.integers.prefetch(row);
    }
}

QStringView TRowStore::textOf(const Column& column, int row) {
    return QStringView(column.pool.data() + column.textStart[row], qsizetype(column.integers.at(row)));
}

qint64 TRowStore::toStamp(QDate date, QTime time) {
    return date.toJulianDay() * MSecsPerDay + time.msecsSinceStartOfDay();
}

QDateTime TRowStore::fromStamp(qint64 stamp) {
    const qint64 day = stamp / MSecsPerDay;
    return QDateTime(QDate::fromJulianDay(day),
                     QTime::fromMSecsSinceStartOfDay(int(stamp - day * MSecsPerDay)));
}
