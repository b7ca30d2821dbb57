#include "report_engine/run/PageNumbers.h"

#include <QStringList>
#include <algorithm>

namespace {
// Page 0 is a number but names no page: "the page shown" before any was shown.
bool pageNumber(const QString& text, int& number) {
    bool ok = false;
    number = text.toInt(&ok);
    return ok && number >= 0;
}
} // namespace

std::optional<QList<int>> frxParsePageNumbers(const QString& text, int total) {
    QString list = text;
    list.remove(QLatin1Char(' '));
    QList<int> pages;
    if (list.isEmpty())
        return pages;
    const QStringList items = list.split(QLatin1Char(','));
    for (qsizetype i = 0; i < items.size(); ++i) {
        const QStringList bounds = items[i].split(QLatin1Char('-'));
        int first = 0;
        int last = 0;
        if (bounds.size() > 2 || !pageNumber(bounds.first(), first))
            return std::nullopt;
        // The last item may be left open: it runs to the last page, or names just
        // its first page when that lies beyond the report.
        const bool open = bounds.size() == 2 && bounds.last().isEmpty() && i == items.size() - 1;
        if (open)
            last = std::max(total, first);
        else if (!pageNumber(bounds.last(), last) || last < first)
            return std::nullopt;
        // A range far beyond the report names no more pages than the report has.
        if (bounds.size() == 2)
            last = std::min(last, std::max(total, first));
        for (int page = first; page <= last; ++page)
            pages.append(page);
    }
    return pages;
}

std::optional<std::vector<bool>> frxSelectedPages(const QString& text, int pageCount) {
    const std::optional<QList<int>> pages = frxParsePageNumbers(text, pageCount);
    if (!pages)
        return std::nullopt;
    std::vector<bool> selected(static_cast<size_t>(std::max(pageCount, 0)), pages->isEmpty());
    // An export names the pages it writes: one that names none is a mistake.
    if (pages->contains(0))
        return std::nullopt;
    for (int page : *pages)
        if (page <= pageCount)
            selected[static_cast<size_t>(page - 1)] = true;
    return selected;
}
