#include "data/RowSort.h"

#include "data/DataSet.h"
#include "data/Exception.h"
#include "data/RowFilter.h"
#include "data/RowStore.h"

#include <QHash>
#include <algorithm>
#include <limits>
#include <numeric>

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
    if (field->DataType() != TFieldType::String) {
        for (size_t i = 0; i < rows.size(); ++i) {
            const QVariant v = dataSet.storedValue(rows[i], field);
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
    std::vector<int> rowDistinct(rows.size());
    for (size_t i = 0; i < rows.size(); ++i) {
        const QVariant v = dataSet.storedValue(rows[i], field);
        const QString text = v.isNull() ? QString() : v.toString();
        auto it = distinct.find(text);
        if (it == distinct.end()) {
            it = distinct.insert(text, int(distinct.size()));
        }
        rowDistinct[i] = it.value();
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

void TRowSort::apply(const TDataSet& dataSet, std::vector<int>& rows) const {
    if (FKeys.empty() || rows.empty()) {
        return;
    }
    std::vector<std::vector<double>> keys;
    for (const Key& key : FKeys) {
        keys.push_back(keyValues(dataSet, rows, key.field));
    }
    std::vector<int> order(rows.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        for (size_t k = 0; k < FKeys.size(); ++k) {
            const double x = keys[k][a];
            const double y = keys[k][b];
            if (x != y) {
                return FKeys[k].descending ? x > y : x < y;
            }
        }
        return false;
    });
    std::vector<int> sorted(rows.size());
    for (size_t i = 0; i < order.size(); ++i) {
        sorted[i] = rows[order[i]];
    }
    rows.swap(sorted);
}
