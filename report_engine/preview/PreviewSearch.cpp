#include "report_engine/preview/PreviewSearch.h"

#include "report_engine/prepared/PreviewPages.h"

#include <QLocale>
#include <QPainter>
#include <QPicture>

namespace {
struct TSearchSettings {
    QString Text;
    bool CaseSensitive = false;
};

TSearchSettings& searchSettings() {
    static TSearchSettings settings;
    return settings;
}

bool matches(const QString& line, const QString& text, bool caseSensitive) {
    if (caseSensitive)
        return line.contains(text);
    const QLocale locale;
    return locale.toUpper(line).contains(locale.toUpper(text));
}
} // namespace

const QString& TfrxPreviewSearch::lastText() {
    return searchSettings().Text;
}

bool TfrxPreviewSearch::lastCaseSensitive() {
    return searchSettings().CaseSensitive;
}

void TfrxPreviewSearch::Reset() {
    FLastHitPage = -1;
    FLastHitIndex = -1;
    FSearchPage = -1;
}

void TfrxPreviewSearch::Start(const QString& text, bool caseSensitive) {
    searchSettings() = {text, caseSensitive};
    FLastHitPage = -1;
    FLastHitIndex = -1;
}

std::optional<TfrxPreviewSearch::THit> TfrxPreviewSearch::FindNext(const TfrxPreviewPages& pages, int page) {
    if (FLastHitPage < 0)
        return searchFrom(pages, page, -1);
    return searchFrom(pages, FLastHitPage, FLastHitIndex);
}

const std::vector<TfrxTextRun>& TfrxPreviewSearch::pageTexts(const TfrxPreviewPages& pages, int index) {
    if (index != FSearchPage) {
        FSearchTexts.clear();
        QPicture recording;
        QPainter canvas(&recording);
        frxDrawPage(pages, index, canvas, 1, 1, 0, 0, &FSearchTexts);
        FSearchPage = index;
    }
    return FSearchTexts;
}

std::optional<TfrxPreviewSearch::THit> TfrxPreviewSearch::searchFrom(const TfrxPreviewPages& pages, int page,
                                                                     int afterHit) {
    const TSearchSettings& settings = searchSettings();
    if (settings.Text.isEmpty())
        return std::nullopt;
    for (; page < pages.GetCount(); ++page, afterHit = -1) {
        const std::vector<TfrxTextRun>& texts = pageTexts(pages, page);
        for (int i = afterHit + 1; i < static_cast<int>(texts.size()); ++i) {
            if (!matches(texts[static_cast<size_t>(i)].Text, settings.Text, settings.CaseSensitive))
                continue;
            FLastHitPage = page;
            FLastHitIndex = i;
            return THit{page, texts[static_cast<size_t>(i)].Bounds};
        }
    }
    return std::nullopt;
}
