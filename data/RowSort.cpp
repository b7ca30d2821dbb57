#include "data/RowSort.h"

#include "data/DataSet.h"
#include "data/Exception.h"
#include "data/FieldReader.h"
#include "data/RowFilter.h"
#include "data/RowStore.h"

#include <QHash>
#include <algorithm>
#include <limits>
#include <numeric>

namespace {

// The types the store keeps as whole numbers; reals and texts are read as values.
bool isWholeNumber(TFieldType type) {
    return type != TFieldType::Float && type != TFieldType::String;
}

} // namespace

TRowSort::TRowSort(const TDataSet& dataSet, const QString& sortText) {
    for (const QString& part : sortText.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        QString name = part.trimmed();
        bool descending = false;
        if (name.endsWith(QLatin1String(" DESC"), Qt::CaseInsensitive)) {
            descending = true;
            name.chop(5);
        } else if (name.endsWith(QLatin1String(" ASC"), Qt::CaseInsensitive)) {
            name.chop(4);
        }
        name = name.trimmed();
        if (name.startsWith(QLatin1Char('[')) && name.endsWith(QLatin1Char(']'))) {
            name = name.mid(1, name.size() - 2);
        }
        const TField* field = dataSet.FindField(name);
        if (!field) {
            throw EDatabaseError(QStringLiteral("Sort \"%1\": field '%2' not found").arg(sortText, name));
        }
        FKeys.push_back({field, descending});
    }
}

// Every key becomes a number per row: numbers and dates as they are, texts as
// their rank among the distinct texts. Ranking the distinct values first keeps
// the expensive text comparison to as many values as there are different ones,
// which for lookup texts is far fewer than the rows.
std::vector<double> TRowSort::keyValues(const TDataSet& dataSet, const std::vector<int>& rows,
                                        const TField* field) const {
    constexpr double Empty = -std::numeric_limits<double>::infinity();
    std::vector<double> keys(rows.size());
    if (field->FieldKind() == TFieldKind::Data && isWholeNumber(field->DataType())) {
        // Straight from the store: a stored date-time is already its stamp, and
        // making a date-time of every row only to take its stamp again costs the
        // zone's rules per row.
        for (size_t i = 0; i < rows.size(); ++i) {
            qint64 value = 0;
            keys[i] = dataSet.storedInteger(rows[i], field, &value) ? double(value) : Empty;
        }
        return keys;
    }
    TFieldReader reader(dataSet, field);
    if (field->DataType() != TFieldType::String) {
        for (size_t i = 0; i < rows.size(); ++i) {
            const QVariant v = reader.value(rows[i]);
            if (!v.isValid() || v.isNull()) {
                keys[i] = Empty;
            } else if (field->DataType() == TFieldType::DateTime) {
                keys[i] = double(TRowStore::toStamp(v.toDateTime()));
            } else {
                keys[i] = v.toDouble();
            }
        }
        return keys;
    }
    QHash<QString, int> distinct;
    const auto distinctOf = [&](const QVariant& v) {
        const QString text = v.isNull() ? QString() : v.toString();
        auto it = distinct.find(text);
        if (it == distinct.end()) {
            it = distinct.insert(text, int(distinct.size()));
        }
        return it.value();
    };
    // Lookup keys are row ids, dense from 1: an array indexed by the key finds
    // a key's text far faster than a hash over a hundred thousand keys.
    std::vector<int> byKey;
    std::vector<int> rowDistinct(rows.size());
    for (size_t i = 0; i < rows.size(); ++i) {
        qint64 key = 0;
        if (!reader.grouped()) {
            rowDistinct[i] = distinctOf(reader.value(rows[i]));
        } else if (!reader.keyOf(rows[i], &key) || key < 0 || key > qint64(4 * rows.size() + 1024)) {
            rowDistinct[i] = distinctOf(reader.value(rows[i]));
        } else {
            if (size_t(key) >= byKey.size()) {
                byKey.resize(size_t(key) + 1, -1);
            }
            int& slot = byKey[size_t(key)];
            if (slot < 0) {
                slot = distinctOf(reader.value(rows[i]));
            }
            rowDistinct[i] = slot;
        }
    }
    std::vector<QString> texts(distinct.size());
    std::vector<QString> folded(distinct.size());
    for (auto it = distinct.cbegin(); it != distinct.cend(); ++it) {
        texts[it.value()] = it.key();
        folded[it.value()] = foldText(it.key());
    }
    std::vector<int> order(distinct.size());
    std::iota(order.begin(), order.end(), 0);
    std::sort(order.begin(), order.end(), [&](int a, int b) {
        if (folded[a] != folded[b]) {
            return folded[a] < folded[b];
        }
        return texts[a] < texts[b];
    });
    std::vector<double> rank(distinct.size());
    for (size_t r = 0; r < order.size(); ++r) {
        rank[order[r]] = texts[order[r]].isNull() ? Empty : double(r);
    }
    for (size_t i = 0; i < rows.size(); ++i) {
        keys[i] = rank[rowDistinct[i]];
    }
    return keys;
}

namespace {

// Text keys are ranks, whole numbers below the count of distinct texts (an
// empty text ranks below all). A counting sort orders a million rows by them
// in two passes, and equal rows keep their order as the stable sort would.
std::vector<int> rankOrder(const std::vector<double>& ranks, bool descending) {
    int top = -1;
    for (double rank : ranks) {
        top = std::max(top, rank < 0 ? -1 : int(rank));
    }
    const size_t buckets = size_t(top) + 2; // bucket 0 holds the empty texts
    std::vector<size_t> start(buckets + 1, 0);
    const auto bucketOf = [&](double rank) {
        const size_t b = rank < 0 ? 0 : size_t(rank) + 1;
        return descending ? buckets - 1 - b : b;
    };
    for (double rank : ranks) {
        ++start[bucketOf(rank) + 1];
    }
    for (size_t b = 1; b <= buckets; ++b) {
        start[b] += start[b - 1];
    }
    std::vector<int> order(ranks.size());
    for (size_t i = 0; i < ranks.size(); ++i) {
        order[start[bucketOf(ranks[i])]++] = int(i);
    }
    return order;
}

} // namespace

void TRowSort::apply(const TDataSet& dataSet, std::vector<int>& rows) const {
    if (FKeys.empty() || rows.empty()) {
        return;
    }
    if (FKeys.size() == 1 && FKeys[0].field->DataType() == TFieldType::String) {
        const std::vector<int> order =
            rankOrder(keyValues(dataSet, rows, FKeys[0].field), FKeys[0].descending);
        std::vector<int> sorted(rows.size());
        for (size_t i = 0; i < order.size(); ++i) {
            sorted[i] = rows[order[i]];
        }
        rows.swap(sorted);
        return;
    }
    // The first key travels with its row, so most comparisons touch one
    // contiguous array; further keys are looked up only to break ties.
    const std::vector<double> first = keyValues(dataSet, rows, FKeys[0].field);
    std::vector<std::vector<double>> more;
    for (size_t k = 1; k < FKeys.size(); ++k) {
        more.push_back(keyValues(dataSet, rows, FKeys[k].field));
    }
    std::vector<std::pair<double, int>> order(rows.size());
    for (size_t i = 0; i < rows.size(); ++i) {
        order[i] = {first[i], int(i)};
    }
    const bool firstDescending = FKeys[0].descending;
    const auto before = [&](const std::pair<double, int>& a, const std::pair<double, int>& b) {
        if (a.first != b.first) {
            return firstDescending ? a.first > b.first : a.first < b.first;
        }
        for (size_t k = 0; k < more.size(); ++k) {
            const double x = more[k][a.second];
            const double y = more[k][b.second];
            if (x != y) {
                return FKeys[k + 1].descending ? x > y : x < y;
            }
        }
        return false;
    };
    // Tables are read in the order of their ids, which is the order most lists
    // open with; rows already in order stay as they are.
    if (std::is_sorted(order.begin(), order.end(), before)) {
        return;
    }
    std::stable_sort(order.begin(), order.end(), before);
    std::vector<int> sorted(rows.size());
    for (size_t i = 0; i < order.size(); ++i) {
        sorted[i] = rows[order[i].second];
    }
    rows.swap(sorted);
}

// Compares two rows value by value; used to place a single new row, where
// ranking every text of the table would cost more than the search itself.
bool TRowSort::less(const TDataSet& dataSet, int a, int b) const {
    for (const Key& key : FKeys) {
        const QVariant x = dataSet.storedValue(a, key.field);
        const QVariant y = dataSet.storedValue(b, key.field);
        const bool xEmpty = !x.isValid() || x.isNull();
        const bool yEmpty = !y.isValid() || y.isNull();
        int order = 0;
        if (xEmpty || yEmpty) {
            order = int(yEmpty) - int(xEmpty);
        } else if (key.field->DataType() == TFieldType::String) {
            const QString fx = foldText(x.toString());
            const QString fy = foldText(y.toString());
            order = fx != fy ? (fx < fy ? -1 : 1) : (x.toString() < y.toString() ? -1 : (x == y ? 0 : 1));
        } else if (key.field->DataType() == TFieldType::DateTime) {
            const qint64 sx = TRowStore::toStamp(x.toDateTime());
            const qint64 sy = TRowStore::toStamp(y.toDateTime());
            order = sx < sy ? -1 : (sx == sy ? 0 : 1);
        } else {
            order = x.toDouble() < y.toDouble() ? -1 : (x.toDouble() == y.toDouble() ? 0 : 1);
        }
        if (order != 0) {
            return key.descending ? order > 0 : order < 0;
        }
    }
    return false;
}

void TRowSort::insert(const TDataSet& dataSet, std::vector<int>& rows, int row) const {
    const auto at =
        std::upper_bound(rows.begin(), rows.end(), row, [&](int a, int b) { return less(dataSet, a, b); });
    rows.insert(at, row);
}
