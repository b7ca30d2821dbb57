#include "report_engine/Expression.h"

void frxSplitDelimiters(const QString& delimiters, QString& open, QString& close) {
    const int comma = static_cast<int>(delimiters.indexOf(QLatin1Char(',')));
    open = comma < 0 ? delimiters : delimiters.left(comma);
    close = comma < 0 ? QString() : delimiters.mid(comma + 1);
}

namespace {
// Finds the end of the expression that opens at start; returns -1 when it never closes.
qsizetype matchingClose(const QString& text, qsizetype start, const QString& open, const QString& close) {
    int depth = 0;
    bool inDouble = false;
    bool inSingle = false;
    const QStringView view(text);
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
    QString open;
    QString close;
    frxSplitDelimiters(delimiters, open, close);
    if (open.isEmpty() || close.isEmpty())
        return text;
    QString result = text;
    qsizetype i = 0;
    int formatIndex = 0;
    while (true) {
        i = result.indexOf(open, i);
        if (i < 0)
            return result;
        const qsizetype end = matchingClose(result, i, open, close);
        if (end < 0)
            return result;
        const QString expression = result.mid(i + open.size(), end - i - open.size());
        const QString value = calc(expression, formatIndex);
        result.replace(i, end + close.size() - i, value);
        i += value.size();
        if (formatIndex < formatCount - 1)
            ++formatIndex;
    }
}
