#pragma once

#include <QString>
#include <vector>

class TDataSet;
class TRowStore;

// The rows a dataset shows, in order, as stored row numbers: its live rows
// sorted by the sort text, and of those the ones the filter lets through. The
// order is kept apart from the filter, so switching a filter on or off never
// sorts again.
class TRowView {
public:
    // Orders the live rows of the store anew; filter() then chooses among them.
    void sort(const TDataSet& dataSet, const TRowStore& store, const QString& sortText);
    // Shows the ordered rows that the filter expression lets through; every
    // one for an empty expression.
    void filter(const TDataSet& dataSet, const QString& expression);
    // A row added: it takes its place in the order and is shown, whatever the
    // filter. Returns where it is shown.
    int insert(const TDataSet& dataSet, const QString& sortText, int storedRow);
    // The row shown at `visibleRow` is gone.
    void erase(int visibleRow);
    void clear();

    int size() const { return FFiltered ? int(FView.size()) : orderSize(); }
    bool empty() const { return size() == 0; }
    int at(int visibleRow) const { return FFiltered ? FView[size_t(visibleRow)] : ordered(visibleRow); }
    // Where the stored row is shown, or -1.
    int indexOf(int storedRow) const;

private:
    // Without a filter every ordered row is shown, and the order of rows as they
    // were read (no sort, none deleted) is the row numbers themselves, kept as
    // their count: a list, or a copy of it, would cost a million sales four bytes
    // a row each.
    int orderSize() const { return FStoredOrder ? FStoredCount : int(FOrder.size()); }
    int ordered(int index) const { return FStoredOrder ? index : FOrder[size_t(index)]; }
    // The order as a list again, before a row comes or goes.
    void listOrder();

    std::vector<int> FOrder; // live rows in sort order, unless in stored order
    std::vector<int> FView;  // the rows the filter lets through, in order
    bool FFiltered = false;
    bool FStoredOrder = false;
    int FStoredCount = 0;
};
