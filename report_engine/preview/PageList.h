#pragma once

#include <QRect>
#include <vector>

// One page as the preview places it: its size in screen pixels at the current
// zoom and its place in the scrolled area.
struct TfrxPageItem {
    int Width = 0;
    int Height = 0;
    int OffsetX = 0;
    int OffsetY = 0;
};

// The pages of the preview laid out in rows, left to right and top to bottom.
class TfrxPageList {
public:
    void Clear();
    void AddPage(int width, int height);
    int Count() const { return static_cast<int>(FList.size()); }
    const TfrxPageItem& operator[](int index) const { return FList[static_cast<size_t>(index)]; }

    // Fills rows no wider than `width` and centres each; returns the widest row.
    int CalcBounds(int width);
    // The bottom of the last page; 0 without pages.
    int Bottom() const;
    // The page at vertical position y: the last one whose top is within a fifth
    // of its height below y. With a point given, the nearby page containing it.
    int FindPage(int y, int x = -1) const;
    QRect GetPageBounds(int index) const;

private:
    void placeRow(size_t first, size_t end, int top, int shift);

    std::vector<TfrxPageItem> FList;
};
