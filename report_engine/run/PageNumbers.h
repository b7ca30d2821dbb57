#pragma once

#include <QList>
#include <QString>
#include <optional>
#include <vector>

// The pages a list such as "1,3,5-12" names, from 1, in the order given and with
// repeats kept; spaces do not count and a trailing "-" runs to the last page.
// Ranges stop at the last page: pages beyond it do not exist. Empty text gives
// an empty list (every page). Page 0 names no page. None when the text is not
// such a list.
std::optional<QList<int>> frxParsePageNumbers(const QString& text, int total);

// Which of pageCount pages the list selects; empty text selects all. None when
// the list cannot be read or names page 0.
std::optional<std::vector<bool>> frxSelectedPages(const QString& text, int pageCount);
