#include "data/RowStore.h"

#include <QStringDecoder>

namespace {

constexpr qint64 MSecsPerDay = 86400000;

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
        FColumns.push_back(Column{type, {}, {}, type == TFieldType::DateTime, {}, {}, {}, {}, {}});
    }
}

int TRowStore::appendRow() {
    for (Column& column : FColumns) {
        switch (column.type) {
        case TFieldType::Float:
            column.reals.push_back(0);
            column.nulls.push_back(true);
            break;
        case TFieldType::String:
            column.textStart.push_back(0);
            column.textLength.push_back(NullText);
            break;
        default:
            if (column.isWide)
                column.wide.push_back(0);
            else
                column.narrow.push_back(0);
            column.nulls.push_back(true);
            break;
        }
    }
    FDeleted.push_back(false);
    return FRowCount++;
}

bool TRowStore::isNull(int row, int column) const {
    const Column& c = FColumns[column];
    return c.type == TFieldType::String ? c.textLength[row] == NullText : bool(c.nulls[row]);
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
        return integer(c, row) != 0;
    case TFieldType::DateTime:
        return fromStamp(integer(c, row));
    default:
        return int(integer(c, row));
    }
}

void TRowStore::setValue(int row, int column, const QVariant& value) {
    Column& c = FColumns[column];
    const bool null = !value.isValid() || value.isNull();
    switch (c.type) {
    case TFieldType::String: {
        if (null) {
            c.textLength[row] = NullText;
            break;
        }
        // Text is appended to the pool; an edit leaves the old text behind, which
        // costs far less than a separate allocation for every cell.
        const QString s = value.toString();
        setText(row, column, reinterpret_cast<const char16_t*>(s.utf16()), int(s.size()));
        break;
    }
    case TFieldType::Float:
        c.nulls[row] = null;
        c.reals[row] = null ? 0 : value.toDouble();
        break;
    case TFieldType::DateTime:
        c.nulls[row] = null;
        setInteger(c, row, null ? 0 : toStamp(value.toDateTime()));
        break;
    case TFieldType::Boolean:
        c.nulls[row] = null;
        setInteger(c, row, null ? 0 : (value.toBool() ? 1 : 0));
        break;
    default:
        c.nulls[row] = null;
        setInteger(c, row, null ? 0 : value.toLongLong());
        break;
    }
}

void TRowStore::setNumber(int row, int column, qint64 value) {
    Column& c = FColumns[column];
    c.nulls[row] = false;
    setInteger(c, row, value);
}

void TRowStore::setInteger(Column& column, int row, qint64 value) {
    if (!column.isWide && value != static_cast<qint32>(value)) {
        column.wide.assign(column.narrow.begin(), column.narrow.end());
        column.narrow = {};
        column.isWide = true;
    }
    if (column.isWide)
        column.wide[row] = value;
    else
        column.narrow[row] = static_cast<qint32>(value);
}

void TRowStore::setReal(int row, int column, double value) {
    Column& c = FColumns[column];
    c.nulls[row] = false;
    c.reals[row] = value;
}

void TRowStore::setText(int row, int column, const char16_t* text, int length) {
    Column& c = FColumns[column];
    c.textStart[row] = uint32_t(c.pool.size());
    c.textLength[row] = uint32_t(length);
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
    c.textStart[row] = uint32_t(start);
    c.textLength[row] = uint32_t(c.pool.size() - start);
}

double TRowStore::number(int row, int column) const {
    const Column& c = FColumns[column];
    return c.type == TFieldType::Float ? c.reals[row] : double(integer(c, row));
}

QStringView TRowStore::text(int row, int column) const {
    const Column& c = FColumns[column];
    if (c.textLength[row] == NullText) {
        return {};
    }
    return QStringView(c.pool.data() + c.textStart[row], qsizetype(c.textLength[row]));
}

qint64 TRowStore::toStamp(QDate date, QTime time) {
    return date.toJulianDay() * MSecsPerDay + time.msecsSinceStartOfDay();
}

QDateTime TRowStore::fromStamp(qint64 stamp) {
    const qint64 day = stamp / MSecsPerDay;
    return QDateTime(QDate::fromJulianDay(day),
                     QTime::fromMSecsSinceStartOfDay(int(stamp - day * MSecsPerDay)));
}
