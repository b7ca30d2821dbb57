#include "data/RowView.h"

#include "data/RowFilter.h"
#include "data/RowSort.h"
#include "data/RowStore.h"

#include <algorithm>

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
}

void TRowView::filter(const TDataSet& dataSet, const QString& expression) {
    if (expression.trimmed().isEmpty()) {
        FView = FOrder;
        return;
    }
    const TRowFilter filter(dataSet, expression);
    FView.clear();
    for (int row : FOrder) {
        if (filter.matches(row)) {
            FView.push_back(row);
        }
    }
}

int TRowView::insert(const TDataSet& dataSet, const QString& sortText, int storedRow) {
    const TRowSort sort(dataSet, sortText);
    sort.insert(dataSet, FOrder, storedRow);
    sort.insert(dataSet, FView, storedRow);
    return indexOf(storedRow);
}

void TRowView::erase(int visibleRow) {
    FOrder.erase(std::find(FOrder.begin(), FOrder.end(), FView[size_t(visibleRow)]));
    FView.erase(FView.begin() + visibleRow);
}

void TRowView::clear() {
    FOrder.clear();
    FView.clear();
}

int TRowView::indexOf(int storedRow) const {
    const auto it = std::find(FView.begin(), FView.end(), storedRow);
    return it == FView.end() ? -1 : int(it - FView.begin());
}
