#pragma once

#include <QString>
#include <memory>

class TfrxPreviewPages;

// Writes a prepared report to a ".zrp" file while a run prepares it: each page is
// encoded once the run has moved past it, then compressed and written on a second
// thread, so saving adds next to nothing to the run. Hook pageComplete() to the
// pages' OnPageComplete. The file appears only when commit() succeeds; a stream
// dropped before that leaves nothing behind.
class TfrxZrpFileStream {
public:
    explicit TfrxZrpFileStream(const QString& fileName);
    ~TfrxZrpFileStream();
    TfrxZrpFileStream(const TfrxZrpFileStream&) = delete;
    TfrxZrpFileStream& operator=(const TfrxZrpFileStream&) = delete;

    void pageComplete(const TfrxPreviewPages& pages, int index);
    // Writes whatever pages are not written yet and completes the file.
    void commit(const TfrxPreviewPages& pages);

private:
    struct TState;
    void encodeUpTo(const TfrxPreviewPages& pages, int count);
    void hand(std::string piece);
    void compress();
    void stop(bool complete);

    std::unique_ptr<TState> F;
};
