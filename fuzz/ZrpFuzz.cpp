// Feeds arbitrary bytes to the .zrp loader: it must refuse them with its error and
// never crash, hang or read out of bounds. Built with clang and libFuzzer.
#include "report_engine/base/ReportError.h"
#include "report_engine/prepared/LayoutListing.h"
#include "report_engine/prepared/PreviewPages.h"
#include "report_engine/prepared/ZrpFile.h"

#include <QBuffer>

// The first byte chooses what the rest is: odd, a whole file as it lies on disk;
// even, the XML text inside a file, compressed here, so that mutations reach the
// parser instead of stopping at the stream's checksum.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0)
        return 0;
    QByteArray bytes(reinterpret_cast<const char*>(data) + 1, static_cast<qsizetype>(size - 1));
    if ((data[0] & 1) == 0)
        bytes = QByteArray("ZRP2") + qCompress(bytes).mid(4);
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    try {
        // What loads must also rebuild into pages without faults.
        std::unique_ptr<TfrxPreviewPages> pages = frxZrp::load(buffer);
        frxLayoutListing(*pages);
    } catch (const EfrxError&) {
        return 0;
    }
    return 0;
}
