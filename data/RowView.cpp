#include "data/RowView.h"

#include "data/RowFilter.h"
#include "data/RowSort.h"
#include "data/RowStore.h"

#include <algorithm>
#include <numeric>

void TRowView::sort(const TDataSet& dataSet, const TRowStore& store, const QString& sortText) {
    FOrder.clear();
    FOrder.reserve(size_t(store.rowCount()));
    for (int row = 0; row < store.rowCount(); ++row) {
        if (!store.isDeleted(row)) {
            FOrder.push_back(row);
        }
    }
    if (!sortText.isEmpty()) {
        TRowSort(dataSet, sortText).apply(dataSet, FOrder);
    }
    FStoredOrder = FOrder.size() == size_t(store.rowCount()) &&
                   std::adjacent_find(FOrder.begin(), FOrder.end(),
                                      [](int a, int b) { return b != a + 1; }) == FOrder.end();
    FStoredCount = int(FOrder.size());
    if (FStoredOrder) {
        FOrder = std::vector<int>();
    }
}

void TRowView::listOrder() {
    if (!FStoredOrder) {
        return;
    }
    FOrder.resize(size_t(FStoredCount));
    std::iota(FOrder.begin(), FOrder.end(), 0);
    FStoredOrder = false;
}

void TRowView::filter(const TDataSet& dataSet, const QString& expression) {
    if (expression.trimmed().isEmpty()) {
        FFiltered = false;
        FView = std::vector<int>();
        return;
    }
    const TRowFilter filter(dataSet, expression);
    FFiltered = true;
    FView.clear();
    for (int index = 0; index < orderSize(); ++index) {
        if (filter.matches(ordered(index))) {
            FView.push_back(ordered(index));
        }
    }
}

int TRowView::insert(const TDataSet& dataSet, const QString& sortText, int storedRow) {
    const TRowSort sort(dataSet, sortText);
    listOrder();
    sort.insert(dataSet, FOrder, storedRow);
    if (FFiltered) {
        sort.insert(dataSet, FView, storedRow);
    }
    return indexOf(storedRow);
}

void TRowView::erase(int visibleRow) {
    listOrder();
    if (!FFiltered) {
        FOrder.erase(FOrder.begin() + visibleRow);
        return;
    }
    FOrder.erase(std::find(FOrder.begin(), FOrder.end(), FView[size_t(visibleRow)]));
    FView.erase(FView.begin() + visibleRow);
}

void TRowView::clear() {
    FOrder.clear();
    FView.clear();
    FFiltered = false;
    FStoredOrder = false;
}

int TRowView::indexOf(int storedRow) const {
    if (!FFiltered && FStoredOrder) {
        return storedRow >= 0 && storedRow < FStoredCount ? storedRow : -1;
    }
    const std::vector<int>& rows = FFiltered ? FView : FOrder;
    const auto it = std::find(rows.begin(), rows.end(), storedRow);
    return it == rows.end() ? -1 : int(it - rows.begin());
}
