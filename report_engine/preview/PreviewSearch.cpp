// Finding text in the preview: the pages' drawn lines are searched in order,
// one recorded page at a time.
#include "report_engine/base/EngineTexts.h"
#include "report_engine/model/Report.h"
#include "report_engine/prepared/PageDrawing.h"
#include "report_engine/prepared/PreviewPages.h"
#include "report_engine/preview/Preview.h"
#include "report_engine/preview/PreviewWorkspace.h"
#include "report_engine/preview/SearchDialog.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QLocale>
#include <QPainter>
#include <QPicture>
#include <cmath>

namespace {
// What was last searched for, kept for the whole process like the dialog's own settings.
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

const std::vector<TfrxTextRun>& TfrxPreview::pageTexts(int index) {
    if (index != FSearchPage) {
        FSearchTexts.clear();
        QPicture recording;
        QPainter canvas(&recording);
        FPages->DrawPage(index, canvas, 1, 1, 0, 0, &FSearchTexts);
        FSearchPage = index;
    }
    return FSearchTexts;
}

bool TfrxPreview::searchFrom(int page, int afterHit) {
    const TSearchSettings& settings = searchSettings();
    if (settings.Text.isEmpty() || !FPages)
        return false;
    for (; page < pageCount(); ++page, afterHit = -1) {
        const std::vector<TfrxTextRun>& texts = pageTexts(page);
        for (int i = afterHit + 1; i < static_cast<int>(texts.size()); ++i) {
            if (!matches(texts[static_cast<size_t>(i)].Text, settings.Text, settings.CaseSensitive))
                continue;
            FLastHitPage = page;
            FLastHitIndex = i;
            showHit(page, texts[static_cast<size_t>(i)].Bounds);
            return true;
        }
    }
    return false;
}

void TfrxPreview::showHit(int page, const QRectF& bounds) {
    FWorkspace->LastFoundPage = page;
    FWorkspace->FoundRect = bounds;
    const QRect pageBounds = FWorkspace->PageList.GetPageBounds(page);
    const double zoom = FWorkspace->Zoom;
    FWorkspace->ShowRect(QRect(pageBounds.left() + static_cast<int>(std::lround(bounds.left() * zoom)),
                               pageBounds.top() + static_cast<int>(std::lround(bounds.top() * zoom)),
                               static_cast<int>(std::lround(bounds.width() * zoom)),
                               static_cast<int>(std::lround(bounds.height() * zoom))));
    setPageNo(page + 1, true);
    FWorkspace->viewport()->update();
}

bool TfrxPreview::FindText(const QString& searchString, bool fromTop, bool isCaseSensitive) {
    searchSettings() = {searchString, isCaseSensitive};
    FLastHitPage = -1;
    FLastHitIndex = -1;
    FWorkspace->LastFoundPage = -1;
    FAllowF3 = true;
    return searchFrom(fromTop ? 0 : FPageNo - 1, -1);
}

void TfrxPreview::Find() {
    if (!FReport || !FReport->ui())
        return;
    TfrxSearchDialog dialog(this);
    dialog.TextE->setText(searchSettings().Text);
    dialog.CaseCB->setChecked(searchSettings().CaseSensitive);
    if (FReport->ui()->showModal(dialog) != QDialog::Accepted)
        return;
    if (!FindText(dialog.TextE->text(), dialog.TopCB->isChecked(), dialog.CaseCB->isChecked()))
        FReport->ui()->showMessage(frxGet("clStrNotFound"));
}

void TfrxPreview::FindNext() {
    const int page = FLastHitPage < 0 ? FPageNo - 1 : FLastHitPage;
    if (!searchFrom(page, FLastHitPage < 0 ? -1 : FLastHitIndex) && FReport && FReport->ui())
        FReport->ui()->showMessage(frxGet("clStrNotFound"));
}
