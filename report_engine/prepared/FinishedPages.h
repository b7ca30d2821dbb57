#pragma once

#include <memory>
#include <vector>

class TfrxComponent;
class TfrxPreparedPage;
class TfrxPreviewPages;
class TfrxReportPage;

// The finished pages of a report one after the other, as FinishedPage gives
// them, without building each page anew: one copy of a clone serves every
// object made from it, on page after page, taking each one's geometry and
// text. An export walks thousands of pages of the same few kinds of object, so
// it copies no object after the first page.
class TfrxFinishedPages {
public:
    explicit TfrxFinishedPages(const TfrxPreviewPages& pages);
    ~TfrxFinishedPages();
    TfrxFinishedPages(const TfrxFinishedPages&) = delete;
    TfrxFinishedPages& operator=(const TfrxFinishedPages&) = delete;

    // The page of that index; it stays as it is until the next call.
    const TfrxReportPage& page(int index);

private:
    void prefetchTexts(const TfrxPreparedPage& prepared) const;
    void putBack();
    std::unique_ptr<TfrxComponent> instance(int alias);

    const TfrxPreviewPages& FPages;
    // Per source page: the page itself, moved in by its margins, holding the
    // objects of the page asked for last.
    std::vector<std::unique_ptr<TfrxReportPage>> FFrames;
    TfrxReportPage* FCurrent = nullptr;
    // Per clone: copies not in use; and the clones of the objects in use, in the
    // order they were put on the current page.
    std::vector<std::vector<std::unique_ptr<TfrxComponent>>> FFree;
    std::vector<int> FInUse;
};
