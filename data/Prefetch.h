#pragma once

#include <QString>
#include <QVariant>

// The steps of reading a lookup ahead of its row (see TDataSet::readAhead), each
// asking the processor for what the step before brought in points at: where the
// key index keeps the looked-up row, that row's cell, the cell's text.
enum class TPrefetchStep { KeyRow, Cell, Text };

// A kept text value's characters and the count of its sharers, which copying it
// for a reader touches.
inline void prefetchText(const QVariant& value) {
    if (value.typeId() == QMetaType::QString) {
        const QString& text = *static_cast<const QString*>(value.constData());
        __builtin_prefetch(text.data_ptr().d);
        __builtin_prefetch(text.constData());
    }
}
