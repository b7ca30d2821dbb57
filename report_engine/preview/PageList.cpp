#include "report_engine/preview/PageList.h"

#include <algorithm>
#include <cmath>

void TfrxPageList::Clear() {
    FList.clear();
}

void TfrxPageList::AddPage(int width, int height) {
    FList.push_back({width, height, 0, 0});
}

void TfrxPageList::placeRow(size_t first, size_t end, int top, int shift) {
    int x = shift;
    for (size_t i = first; i < end; ++i) {
        FList[i].OffsetX = x;
        FList[i].OffsetY = top;
        x += FList[i].Width + 10;
    }
}

int TfrxPageList::CalcBounds(int width) {
    int widest = 0;
    int top = 10;
    size_t rowStart = 0;
    int rowWidth = 0;
    int rowHeight = 0;
    const auto finishRow = [&](size_t end) {
        placeRow(rowStart, end, top, std::max(0, (width - rowWidth + 10) / 2) + 10);
        widest = std::max(widest, rowWidth);
        top += rowHeight + 10;
    };
    for (size_t i = 0; i < FList.size(); ++i) {
        if (i != rowStart && rowWidth + FList[i].Width > width) {
            finishRow(i);
            rowStart = i;
            rowWidth = 0;
            rowHeight = 0;
        }
        rowWidth += FList[i].Width + 10;
        rowHeight = std::max(rowHeight, FList[i].Height);
    }
    if (!FList.empty())
        finishRow(FList.size());
    return widest;
}

int TfrxPageList::Bottom() const {
    return FList.empty() ? 0 : FList.back().OffsetY + FList.back().Height;
}

int TfrxPageList::FindPage(int y, int x) const {
    if (FList.empty())
        return 0;
    const auto reached = [y](const TfrxPageItem& page) {
        return y + static_cast<int>(std::lround(page.Height / 5.0)) >= page.OffsetY;
    };
    // Pages lie in order of their tops, so the reached ones form a prefix.
    int low = 0;
    int high = Count() - 1;
    int found = 0;
    while (low <= high) {
        const int middle = (low + high) / 2;
        if (reached(FList[static_cast<size_t>(middle)])) {
            found = middle;
            low = middle + 1;
        } else {
            high = middle - 1;
        }
    }
    if (x < 0)
        return found;
    for (int i = std::max(0, found - 20); i <= std::min(Count() - 1, found + 20); ++i)
        if (GetPageBounds(i).contains(x, y))
            return i;
    return found;
}

QRect TfrxPageList::GetPageBounds(int index) const {
    if (index < 0 || index >= Count())
        return {};
    const TfrxPageItem& page = FList[static_cast<size_t>(index)];
    return {page.OffsetX, page.OffsetY, page.Width, page.Height};
}
