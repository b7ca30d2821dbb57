#include "report_engine/run/Expression.h"

std::pair<QStringView, QStringView> frxSplitDelimiters(QStringView delimiters) {
    const qsizetype comma = delimiters.indexOf(QLatin1Char(','));
    if (comma < 0)
        return {delimiters, QStringView()};
    return {delimiters.left(comma), delimiters.sliced(comma + 1)};
}

namespace {
// Finds the end of the expression that opens at start; returns -1 when it never closes.
qsizetype matchingClose(QStringView text, qsizetype start, QStringView open, QStringView close) {
    int depth = 0;
    bool inDouble = false;
    bool inSingle = false;
    const QStringView view = text;
    for (qsizetype i = start; i < view.size(); ++i) {
        const QChar c = view[i];
        if (!inDouble && !inSingle) {
            if (c == open.front() && view.sliced(i).startsWith(open))
                ++depth;
            else if (c == close.front() && view.sliced(i).startsWith(close) && --depth == 0)
                return i;
        }
        if (c == QLatin1Char('"') && !inSingle)
            inDouble = !inDouble;
        else if (c == QLatin1Char('\'') && !inDouble)
            inSingle = !inSingle;
    }
    return -1;
}
} // namespace

QString frxExpandExpressions(const QString& text, const QString& delimiters,
                             const std::function<QString(const QString&, int)>& calc, int formatCount) {
    const auto [open, close] = frxSplitDelimiters(delimiters);
    if (open.isEmpty() || close.isEmpty())
        return text;
    // The text is copied piece by piece only once an expression is found; a text
    // that is one expression becomes its value without any copying.
    QString result;
    qsizetype copied = 0;
    int formatIndex = 0;
    for (qsizetype i = text.indexOf(open); i >= 0; i = text.indexOf(open, i)) {
        const qsizetype end = matchingClose(text, i, open, close);
        if (end < 0)
            break;
        result += QStringView(text).sliced(copied, i - copied);
        result += calc(text.mid(i + open.size(), end - i - open.size()), formatIndex);
        i = copied = end + close.size();
        if (formatIndex < formatCount - 1)
            ++formatIndex;
    }
    if (copied == 0)
        return text;
    result += QStringView(text).sliced(copied);
    return result;
}
