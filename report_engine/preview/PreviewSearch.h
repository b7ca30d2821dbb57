#pragma once

#include "report_engine/prepared/PageDrawing.h"

#include <QRectF>
#include <QString>
#include <optional>
#include <vector>

class TfrxPreviewPages;

// Finding text in prepared pages: the pages' drawn lines are searched in order,
// one recorded page at a time, each search going on after the last hit.
class TfrxPreviewSearch {
public:
    struct THit {
        int Page = 0; // from 0
        QRectF Bounds;
    };
    // What was last searched for, kept for the whole process like the dialog's own settings.
    static const QString& lastText();
    static bool lastCaseSensitive();

    // A new search: the text becomes the last searched for, earlier hits are forgotten.
    void Start(const QString& text, bool caseSensitive);
    // The hit after the last one; from `page` (from 0) when there was none.
    std::optional<THit> FindNext(const TfrxPreviewPages& pages, int page);
    // New pages: no hit yet and no page recorded.
    void Reset();
    // The pages were cleared: the recorded one is gone.
    void ForgetRecording() { FSearchPage = -1; }

private:
    // The lines of text the page draws, recorded once while the search stays on it.
    const std::vector<TfrxTextRun>& pageTexts(const TfrxPreviewPages& pages, int index);
    // Searches on from the hit after `afterHit` on `page`; none after the last page.
    std::optional<THit> searchFrom(const TfrxPreviewPages& pages, int page, int afterHit);

    int FLastHitPage = -1;
    int FLastHitIndex = -1;
    int FSearchPage = -1;
    std::vector<TfrxTextRun> FSearchTexts;
};
