#pragma once

#include "report_engine/model/Page.h"
#include "report_engine/prepared/PreparedPage.h"
#include "report_engine/prepared/PreparedTexts.h"

#include <QHash>
#include <QSizeF>
#include <deque>
#include <functional>
#include <list>
#include <memory>
#include <vector>

class TfrxBand;

// Gives an object copied from its clone the geometry and text the prepared
// object has on its page; every other property stays the clone's.
void frxRestorePrepared(const TfrxPreparedPage& page, const TfrxPreparedObject& item,
                        const TfrxComponent& clone, const TfrxPreparedTexts& texts, TfrxComponent& object);
// A text as every output shows it: the page count and the copy name (none: the
// reports print no copy names) put in.
void frxFinishPageText(QString& text, const QString& pageCount);

// A source object: the clone a prepared object refers to, under its unique alias.
struct TfrxSourceObject {
    QString FAlias;
    QString FSourceName; // "Page<index>.<object name>"
    const TfrxComponent* FClone = nullptr;
};

// The pages of a run in their final geometry and text. Each output object is kept as
// its differences from a clone of its template object, so a long report stays small;
// whole pages are rebuilt on demand and the most recently used ones are cached.
class TfrxPreviewPages {
public:
    // producer side, in the order a run calls it
    void Clear();
    void Initialize();
    void AddSourcePage(const TfrxReportPage& page);
    void BeginPass() {}
    void AddPage(const TfrxReportPage& page);
    // Once a band's texts are known, before it is measured and added: asks the
    // processor for where they will be looked for when it is added.
    void prefetchTexts(const TfrxBand& band);
    void AddObject(const TfrxBand& band);
    bool BandExists(const TfrxBand& band) const;
    void Finish();

    // consumer side
    int GetCount() const { return static_cast<int>(FPages.size()); }
    int CurPage() const { return GetCount() - 1; }
    std::shared_ptr<const TfrxReportPage> GetPage(int index) const;
    QSizeF GetPageSize(int index) const;
    int GetLogicalPageNo(int index) const;
    // The page as every output shows it: moved in by its margins, the page count
    // and copy name (none: the reports print no copy names) put into its texts.
    // A copy the caller may change.
    std::unique_ptr<TfrxReportPage> FinishedPage(int index) const;

    // raw access for saving and loading prepared reports
    const std::vector<std::unique_ptr<TfrxReportPage>>& sourcePages() const { return FSourcePages; }
    const std::vector<TfrxSourceObject>& sourceObjects() const { return FSourceObjects; }
    const std::deque<TfrxPreparedPage>& preparedPages() const { return FPages; }
    const TfrxPreparedTexts& texts() const { return FTexts; }
    QString text(const TfrxPreparedObject& object) const { return FTexts.text(object.FText); }
    int addText(QStringView text) { return FTexts.add(text); }
    void appendPreparedPage(TfrxPreparedPage page);
    void addSourceClone(std::unique_ptr<TfrxReportPage> clone);

    // Called with a page's index once the run has moved past it (the next page has
    // begun, or the run has finished); the page does not change after that.
    std::function<void(int)> OnPageComplete;

    static constexpr int PagesInCache = 50;
    // The page, from 1, that "Current page" prints; the preview sets it before it
    // prints. 0 names no page.
    int CurPreviewPage = 0;

private:
    // The page made anew from its prepared objects, each a copy of its clone.
    std::unique_ptr<TfrxReportPage> buildPage(int index) const;
    void registerAliases(const TfrxComponent& object, int pageIndex);
    void completeLastPage();
    void addDiff(TfrxPreparedPage& page, const TfrxComponent& object, int alias, bool child);

    std::vector<std::unique_ptr<TfrxReportPage>> FSourcePages;
    std::vector<TfrxSourceObject> FSourceObjects;
    QHash<QString, int> FAliasCounters;
    // template object -> alias index, valid while a run lasts
    QHash<const TfrxComponent*, int> FTemplateIndex;
    // A deque: a long report's tens of thousands of pages are neither copied as
    // they grow nor given room they never fill.
    std::deque<TfrxPreparedPage> FPages;
    TfrxPreparedTexts FTexts;
    std::vector<QStringView> FBandTexts; // empty between bands; its room kept, not to allocate each time
    mutable std::list<std::pair<int, std::shared_ptr<const TfrxReportPage>>> FCache;
};
