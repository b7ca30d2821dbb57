#pragma once

#include <QString>
#include <QVariant>

// The steps of reading a lookup ahead of its row (see TDataSet::readAhead), each
// asking the processor for what the step before brought in points at: where the
// key index keeps the looked-up row, that row's cell, the cell's text.
enum class TPrefetchStep { KeyRow, Cell, Text };

// A kept text value's count of sharers, which copying it for a reader touches,
// and its characters (a flight's description spans several cache lines).
inline void prefetchText(const QVariant& value) {
    if (value.typeId() != QMetaType::QString) {
        return;
    }
    const QString& text = *static_cast<const QString*>(value.constData());
    __builtin_prefetch(text.data_ptr().d);
    constexpr qsizetype charsPerLine = 64 / sizeof(QChar);
    for (qsizetype at = 0; at < text.size(); at += charsPerLine) {
        __builtin_prefetch(text.constData() + at);
    }
}
