#include "report_engine/export/common/IEMatrix.h"

#include "report_engine/model/MemoView.h"

#include <algorithm>

void TfrxIEMatrix::Clear() {
    FUsed = 0;
    FIEMObjectList.clear();
    FXPos.clear();
    FYPos.clear();
    FMatrix.clear();
}

TfrxIEMObject& TfrxIEMatrix::newObject() {
    if (FUsed == FObjects.size())
        FObjects.push_back(std::make_unique<TfrxIEMObject>());
    TfrxIEMObject& object = *FObjects[FUsed++];
    QString memo = std::move(object.Memo);
    memo.resize(0);
    object = TfrxIEMObject{};
    object.Memo = std::move(memo);
    return object;
}

// Only text objects reach the grid; the page background and other kinds of object
// carry nothing a table could show.
void TfrxIEMatrix::AddObject(const TfrxComponent& object) {
    const auto* memo = object.asMemo();
    if (!memo)
        return;
    TfrxIEMObject& item = newObject();
    item.Left = std::max(0.0, object.AbsLeft());
    item.Top = std::max(0.0, object.AbsTop());
    item.Width = object.Width;
    item.Height = object.Height;
    for (const TfrxTextLine& line : memo->WrappedText())
        item.Memo.append(line.FText).append(u"\r\n");
    addPos(FXPos, item.Left);
    addPos(FXPos, item.Left + item.Width);
    addPos(FYPos, item.Top);
    addPos(FYPos, item.Top + item.Height);
    FIEMObjectList.push_back({0, 0, 0, 0, &item, false});
}

// Objects side by side share their top and bottom, and rows of a band their
// left and right edges: a position equal to the last one added is not added
// again. Other equal positions fall into one when the positions are ordered.
void TfrxIEMatrix::addPos(std::vector<double>& positions, double position) {
    if (positions.empty() || positions.back() != position)
        positions.push_back(position);
}

// Sorted; a position less than the inaccuracy before the next one is dropped, so a
// run of close positions collapses into its last one.
void TfrxIEMatrix::orderPosArray(std::vector<double>& positions) const {
    std::sort(positions.begin(), positions.end());
    size_t kept = 0;
    for (size_t i = 0; i < positions.size(); ++i)
        if (i + 1 == positions.size() || positions[i + 1] - positions[i] >= Inaccuracy)
            positions[kept++] = positions[i];
    positions.resize(kept);
}

// The first position not less than the value.
int TfrxIEMatrix::quickFind(const std::vector<double>& positions, double value) {
    return static_cast<int>(std::lower_bound(positions.begin(), positions.end(), value) - positions.begin());
}

// The cells from the first position on until a position reaches the end, or the last one.
int TfrxIEMatrix::cellsCovered(const std::vector<double>& positions, int first, double end) {
    int last = first;
    while (last < static_cast<int>(positions.size()) - 1 && positions[static_cast<size_t>(last)] < end)
        ++last;
    return last - first;
}

void TfrxIEMatrix::orderByCells() {
    for (TfrxIEMObjectList& placement : FIEMObjectList) {
        const TfrxIEMObject& object = *placement.Obj;
        placement.x = quickFind(FXPos, object.Left);
        placement.y = quickFind(FYPos, object.Top);
        placement.dx = cellsCovered(FXPos, placement.x, object.Left + object.Width);
        placement.dy = cellsCovered(FYPos, placement.y, object.Top + object.Height);
        if (object.Width == 0 || object.Height == 0)
            placement.dx = placement.dy = 0;
    }
}

// A later object wins the cells it shares with an earlier one.
void TfrxIEMatrix::render() {
    FMatrix.assign(static_cast<size_t>(Width()) * static_cast<size_t>(Height()), -1);
    for (size_t i = 0; i < FIEMObjectList.size(); ++i) {
        const TfrxIEMObjectList& placement = FIEMObjectList[i];
        for (int y = placement.y; y < placement.y + placement.dy; ++y)
            for (int x = placement.x; x < placement.x + placement.dx; ++x)
                cell(x, y) = static_cast<int>(i);
    }
}

// The rectangle of cells equal to (x, y): the run along its row, extended down while
// the column holds the same placement over a run at least as wide.
void TfrxIEMatrix::findRectArea(int x, int y, int& width, int& height) const {
    const int value = cell(x, y);
    const auto runFrom = [&](int row) {
        int run = 0;
        while (x + run < Width() && cell(x + run, row) == value)
            ++run;
        return run;
    };
    width = runFrom(y);
    height = 1;
    while (y + height < Height() && cell(x, y + height) == value && runFrom(y + height) >= width)
        ++height;
}

// What is left visible of a partly covered object becomes a piece of its own. The
// text goes with the first piece that holds enough of the object to stand for it.
void TfrxIEMatrix::cutObject(int placement, int x, int y, int width, int height) {
    TfrxIEMObject& covered = *FIEMObjectList[static_cast<size_t>(placement)].Obj;
    TfrxIEMObject* piece = &newObject();
    piece->Left = FXPos[static_cast<size_t>(x)];
    piece->Top = FYPos[static_cast<size_t>(y)];
    piece->Width = FXPos[static_cast<size_t>(std::min(x + width, Width() - 1))] - piece->Left;
    piece->Height = FYPos[static_cast<size_t>(std::min(y + height, Height() - 1))] - piece->Top;
    piece->Link = &covered;
    if (covered.Top + covered.Height - piece->Top > covered.Height / 3 &&
        covered.Left + covered.Width - piece->Left > covered.Width / 3) {
        piece->Memo = covered.Memo;
        covered.Memo.clear();
    }
    const int index = static_cast<int>(FIEMObjectList.size());
    FIEMObjectList.push_back({x, y, width, height, piece, true});
    for (int row = y; row < y + height; ++row)
        for (int column = x; column < x + width; ++column)
            cell(column, row) = index;
}

void TfrxIEMatrix::analyse() {
    for (int y = 0; y < Height(); ++y)
        for (int x = 0; x < Width(); ++x) {
            const int index = cell(x, y);
            if (index < 0 || FIEMObjectList[static_cast<size_t>(index)].Done)
                continue;
            int width = 0;
            int height = 0;
            findRectArea(x, y, width, height);
            TfrxIEMObjectList& placement = FIEMObjectList[static_cast<size_t>(index)];
            if (width == placement.dx && height == placement.dy) {
                placement.x = x;
                placement.y = y;
                placement.Done = true;
            } else {
                cutObject(index, x, y, width, height);
            }
        }
}

void TfrxIEMatrix::Prepare() {
    orderPosArray(FXPos);
    orderPosArray(FYPos);
    orderByCells();
    render();
    analyse();
}

TfrxIEMObject* TfrxIEMatrix::GetObject(int x, int y) const {
    if (x < 0 || y < 0 || x >= Width() || y >= Height())
        return nullptr;
    const int index = cell(x, y);
    return index < 0 ? nullptr : FIEMObjectList[static_cast<size_t>(index)].Obj;
}
