#pragma once

#include <QByteArray>
#include <QByteArrayView>

// A PDF stream's data deflated at level 1 in zlib format.
//
// Some readers inflate a stream in reads of 10,240 bytes into a 64 KiB buffer.
// When one of their reads ends exactly as that buffer fills, their next call has
// nothing to do and they report the whole stream as possibly damaged. Such a
// stream is deflated again with an empty block after its first bytes, which
// moves where the reads end; what it inflates to stays the same.
QByteArray frxDeflatePdfStream(QByteArrayView data);

// Whether a reader as above fills its buffer exactly at the end of a read before
// the last one (the last read also finishes the stream, so it never stalls).
bool frxStallsReadersBuffer(QByteArrayView deflated);
