#include "report_engine/prepared/FinishedPages.h"

#include "report_engine/base/ReportUnits.h"
#include "report_engine/model/MemoView.h"
#include "report_engine/model/Page.h"
#include "report_engine/prepared/PreviewPages.h"

TfrxFinishedPages::TfrxFinishedPages(const TfrxPreviewPages& pages)
    : FPages(pages), FFrames(pages.sourcePages().size()), FFree(pages.sourceObjects().size()) {}

TfrxFinishedPages::~TfrxFinishedPages() = default;

// The objects of the current page go back to be used again, in the reverse of
// the order they were put on it: the last band's objects, then the band.
void TfrxFinishedPages::putBack() {
    if (!FCurrent)
        return;
    while (!FCurrent->Objects().empty()) {
        TfrxComponent& band = *FCurrent->Objects().back();
        while (!band.Objects().empty()) {
            FFree[static_cast<size_t>(FInUse.back())].push_back(band.takeLast());
            FInUse.pop_back();
        }
        FFree[static_cast<size_t>(FInUse.back())].push_back(FCurrent->takeLast());
        FInUse.pop_back();
    }
    FCurrent = nullptr;
}

std::unique_ptr<TfrxComponent> TfrxFinishedPages::instance(int alias) {
    std::vector<std::unique_ptr<TfrxComponent>>& free = FFree[static_cast<size_t>(alias)];
    if (free.empty())
        return FPages.sourceObjects()[static_cast<size_t>(alias)].FClone->cloneAlone();
    std::unique_ptr<TfrxComponent> object = std::move(free.back());
    free.pop_back();
    return object;
}

// A long report's texts, each kept once, are scattered over more memory than
// the processor's caches hold, and restoring a page reads them one after the
// other, each read waiting for the last. Asked for all at once beforehand, in
// two rounds (where each text is kept, then the text), they arrive together.
void TfrxFinishedPages::prefetchTexts(const TfrxPreparedPage& prepared) const {
    const TfrxPreparedTexts& texts = FPages.texts();
    for (const TfrxPreparedObject& item : prepared) {
        if (item.FMask & TfrxPreparedObject::mText)
            texts.prefetchEntry(item.FText);
    }
    for (const TfrxPreparedObject& item : prepared) {
        if (item.FMask & TfrxPreparedObject::mText)
            texts.prefetchText(item.FText);
    }
}

const TfrxReportPage& TfrxFinishedPages::page(int index) {
    putBack();
    const TfrxPreparedPage& prepared = FPages.preparedPages()[static_cast<size_t>(index)];
    std::unique_ptr<TfrxReportPage>& frame = FFrames[static_cast<size_t>(prepared.FSourcePage)];
    if (!frame) {
        std::unique_ptr<TfrxComponent> copy =
            FPages.sourcePages()[static_cast<size_t>(prepared.FSourcePage)]->cloneAlone();
        frame.reset(static_cast<TfrxReportPage*>(copy.release()));
        frame->Left = frame->LeftMargin * fr01cm;
        frame->Top = frame->TopMargin * fr01cm;
    }
    FCurrent = frame.get();
    const QString pageCount = QString::number(FPages.GetCount());
    prefetchTexts(prepared);
    TfrxComponent* band = nullptr;
    for (const TfrxPreparedObject& item : prepared) {
        std::unique_ptr<TfrxComponent> object = instance(item.FAlias);
        const TfrxComponent& clone = *FPages.sourceObjects()[static_cast<size_t>(item.FAlias)].FClone;
        frxRestorePrepared(prepared, item, clone, FPages.texts(), *object);
        const bool child = item.FMask & TfrxPreparedObject::mChild;
        if (child && !band) {
            FFree[static_cast<size_t>(item.FAlias)].push_back(std::move(object));
            continue;
        }
        if (TfrxCustomMemoView* memo = object->asMemo())
            frxFinishPageText(memo->Text, pageCount);
        FInUse.push_back(item.FAlias);
        TfrxComponent* added = (child ? band : FCurrent)->add(std::move(object));
        if (!child)
            band = added;
    }
    return *FCurrent;
}
