#include "report_engine/prepared/PreviewPages.h"

#include "report_engine/base/ReportError.h"
#include "report_engine/base/ReportUnits.h"
#include "report_engine/model/Bands.h"
#include "report_engine/model/MemoView.h"

void TfrxPreviewPages::Clear() {
    FSourcePages.clear();
    FSourceObjects.clear();
    FAliasCounters.clear();
    FTemplateIndex.clear();
    FPages.clear();
    FTexts.clear();
    FCache.clear();
}

void TfrxPreviewPages::Initialize() {
    FTemplateIndex.clear();
}

namespace {
// Bands share one alias base; other objects use the first letter of their kind.
QString aliasBase(const TfrxComponent& object) {
    if (dynamic_cast<const TfrxBand*>(&object))
        return QStringLiteral("b");
    QString kind = object.ClassName();
    if (kind.startsWith(QLatin1String("Tfrx")))
        kind = kind.mid(4);
    if (kind.endsWith(QLatin1String("View")))
        kind.chop(4);
    return kind.left(1).toLower();
}

void collectTemplate(const TfrxComponent& source, const TfrxComponent& clone,
                     std::vector<std::pair<const TfrxComponent*, const TfrxComponent*>>& pairs) {
    for (size_t i = 0; i < source.Objects().size(); ++i) {
        pairs.emplace_back(source.Objects()[i].get(), clone.Objects()[i].get());
        collectTemplate(*source.Objects()[i], *clone.Objects()[i], pairs);
    }
}
} // namespace

void TfrxPreviewPages::registerAliases(const TfrxComponent& object, int pageIndex) {
    for (const auto& child : object.Objects()) {
        const QString base = aliasBase(*child);
        const int number = ++FAliasCounters[base];
        const QString alias = base + QString::number(number);
        FSourceObjects.push_back(
            {alias, QStringLiteral("Page%1.%2").arg(pageIndex).arg(child->Name), child.get()});
        registerAliases(*child, pageIndex);
    }
}

void TfrxPreviewPages::addSourceClone(std::unique_ptr<TfrxReportPage> clone) {
    const int pageIndex = static_cast<int>(FSourcePages.size());
    registerAliases(*clone, pageIndex);
    FSourcePages.push_back(std::move(clone));
}

void TfrxPreviewPages::AddSourcePage(const TfrxReportPage& page) {
    std::unique_ptr<TfrxComponent> copy = page.clone();
    std::unique_ptr<TfrxReportPage> clone(static_cast<TfrxReportPage*>(copy.release()));
    std::vector<std::pair<const TfrxComponent*, const TfrxComponent*>> pairs;
    collectTemplate(page, *clone, pairs);
    // The clone of a text object shows the template text, never a field binding.
    for (const auto& [source, cloned] : pairs)
        if (auto* memo = dynamic_cast<TfrxView*>(const_cast<TfrxComponent*>(cloned))) {
            memo->DataSet = nullptr;
            memo->DataField.clear();
        }
    const int first = static_cast<int>(FSourceObjects.size());
    addSourceClone(std::move(clone));
    for (size_t i = 0; i < pairs.size(); ++i)
        FTemplateIndex.insert(pairs[i].first, first + static_cast<int>(i));
}

void TfrxPreviewPages::AddPage(const TfrxReportPage& page) {
    TfrxPreparedPage prepared;
    for (size_t i = 0; i < FSourcePages.size(); ++i)
        if (FSourcePages[i]->Name == page.Name)
            prepared.FSourcePage = static_cast<int>(i);
    prepared.FLogicalNo = FPages.empty() ? 1 : FPages.back().FLogicalNo + 1;
    completeLastPage();
    FPages.push_back(std::move(prepared));
}

void TfrxPreviewPages::addDiff(TfrxPreparedPage& page, const TfrxComponent& object, int alias, bool child) {
    const TfrxComponent& clone = *FSourceObjects[alias].FClone;
    TfrxPreparedObject item;
    item.FAlias = alias;
    item.FMask = child ? TfrxPreparedObject::mChild : 0;
    const std::pair<double, double> geometry[] = {{object.Left, clone.Left},
                                                  {object.Top, clone.Top},
                                                  {object.Width, clone.Width},
                                                  {object.Height, clone.Height}};
    for (int i = 0; i < 4; ++i)
        if (geometry[i].first != geometry[i].second) {
            item.FMask |= 1 << i;
            page.FValues.push_back(geometry[i].first);
        }
    const auto* memo = object.asMemo();
    if (memo && memo->Text != static_cast<const TfrxCustomMemoView&>(clone).Text) {
        item.FMask |= TfrxPreparedObject::mText;
        item.FText = FTexts.add(memo->Text);
    }
    page.add(item);
}

// A long report's texts, each kept once, are scattered over more memory than
// the processor's caches hold, and adding a band's texts one after the other
// would wait on memory for each, twice (where the text would be, then the text).
// Asked for all at once, while the band is measured, they arrive meanwhile: the
// places now, the texts when it is added.
void TfrxPreviewPages::prefetchTexts(const TfrxBand& band) {
    for (const auto& child : band.Objects())
        if (const auto* memo = child->Visible ? child->asMemo() : nullptr)
            FBandTexts.push_back(memo->Text);
    FTexts.prefetchSlots(FBandTexts);
    FBandTexts.clear();
}

void TfrxPreviewPages::AddObject(const TfrxBand& band) {
    if (FPages.empty())
        throw EfrxError(QStringLiteral("A band was output before the first page"));
    const int alias = FTemplateIndex.value(&band, -1);
    if (alias < 0)
        throw EfrxError(QStringLiteral("The band %1 has no source object").arg(band.Name));
    const int current = CurPage();
    FCache.remove_if([current](const auto& entry) { return entry.first == current; });
    TfrxPreparedPage& page = FPages.back();
    FTexts.prefetchStored();
    addDiff(page, band, alias, false);
    for (const auto& child : band.Objects()) {
        if (!child->Visible)
            continue;
        const int childAlias = FTemplateIndex.value(child.get(), -1);
        if (childAlias >= 0)
            addDiff(page, *child, childAlias, true);
    }
}

bool TfrxPreviewPages::BandExists(const TfrxBand& band) const {
    const int alias = FTemplateIndex.value(&band, -1);
    if (FPages.empty() || alias < 0)
        return false;
    for (const TfrxPreparedObject& object : FPages.back())
        if (object.FAlias == alias)
            return true;
    return false;
}

void TfrxPreviewPages::Finish() {
    completeLastPage();
}

void TfrxPreviewPages::completeLastPage() {
    if (FPages.empty())
        return;
    FPages.back().squeeze();
    if (OnPageComplete)
        OnPageComplete(CurPage());
}

void TfrxPreviewPages::appendPreparedPage(TfrxPreparedPage page) {
    page.squeeze();
    FPages.push_back(std::move(page));
}

void frxRestorePrepared(const TfrxPreparedPage& page, const TfrxPreparedObject& item,
                        const TfrxComponent& clone, const TfrxPreparedTexts& texts, TfrxComponent& object) {
    double* targets[] = {&object.Left, &object.Top, &object.Width, &object.Height};
    const double kept[] = {clone.Left, clone.Top, clone.Width, clone.Height};
    size_t value = static_cast<size_t>(item.FValues);
    for (int i = 0; i < 4; ++i)
        *targets[i] = item.FMask & (1 << i) ? page.FValues.at(value++) : kept[i];
    if (auto* memo = object.asMemo())
        memo->Text = item.FMask & TfrxPreparedObject::mText ? texts.text(item.FText) : clone.asMemo()->Text;
}

namespace {
std::unique_ptr<TfrxComponent> rebuild(const TfrxPreparedPage& page, const TfrxPreparedObject& item,
                                       const TfrxComponent& clone, const TfrxPreparedTexts& texts) {
    std::unique_ptr<TfrxComponent> object = clone.cloneAlone();
    frxRestorePrepared(page, item, clone, texts, *object);
    return object;
}
} // namespace

std::shared_ptr<const TfrxReportPage> TfrxPreviewPages::GetPage(int index) const {
    if (index < 0 || index >= GetCount())
        return nullptr;
    for (auto it = FCache.begin(); it != FCache.end(); ++it)
        if (it->first == index) {
            FCache.splice(FCache.begin(), FCache, it);
            return FCache.front().second;
        }
    std::shared_ptr<const TfrxReportPage> page = buildPage(index);
    FCache.emplace_front(index, page);
    if (FCache.size() > PagesInCache)
        FCache.pop_back();
    return page;
}

std::unique_ptr<TfrxReportPage> TfrxPreviewPages::buildPage(int index) const {
    const TfrxPreparedPage& prepared = FPages[static_cast<size_t>(index)];
    std::unique_ptr<TfrxComponent> pageCopy =
        FSourcePages.at(static_cast<size_t>(prepared.FSourcePage))->cloneAlone();
    std::unique_ptr<TfrxReportPage> page(static_cast<TfrxReportPage*>(pageCopy.release()));
    TfrxComponent* band = nullptr;
    for (const TfrxPreparedObject& item : prepared) {
        std::unique_ptr<TfrxComponent> object =
            rebuild(prepared, item, *FSourceObjects.at(item.FAlias).FClone, FTexts);
        if (!(item.FMask & TfrxPreparedObject::mChild))
            band = page->add(std::move(object));
        else if (band)
            band->add(std::move(object));
    }
    return page;
}

QSizeF TfrxPreviewPages::GetPageSize(int index) const {
    if (index < 0 || index >= GetCount())
        return {};
    const TfrxReportPage& source = *FSourcePages.at(static_cast<size_t>(FPages[index].FSourcePage));
    return {source.Width, source.Height};
}

int TfrxPreviewPages::GetLogicalPageNo(int index) const {
    return index >= 0 && index < GetCount() ? FPages[index].FLogicalNo : 0;
}

std::unique_ptr<TfrxReportPage> TfrxPreviewPages::FinishedPage(int index) const {
    if (index < 0 || index >= GetCount())
        return nullptr;
    // Made for the caller alone, so it is changed in place rather than copied.
    std::unique_ptr<TfrxReportPage> page = buildPage(index);
    page->Left = page->LeftMargin * fr01cm;
    page->Top = page->TopMargin * fr01cm;
    const QString pageCount = QString::number(GetCount());
    for (const auto& band : page->Objects())
        for (const auto& object : band->Objects())
            if (auto* memo = object->asMemo())
                frxFinishPageText(memo->Text, pageCount);
    return page;
}

void frxFinishPageText(QString& text, const QString& pageCount) {
    if (!text.contains(QLatin1Char('[')))
        return;
    text.replace(QLatin1String("[TOTALPAGES#]"), pageCount, Qt::CaseInsensitive);
    text.replace(QLatin1String("[COPYNAME#]"), QString(), Qt::CaseInsensitive);
}
