#include "report_engine/prepared/ZrpFileStream.h"

#include "report_engine/base/OutputFile.h"
#include "report_engine/base/ReportError.h"
#include "report_engine/prepared/PreviewPages.h"
#include "report_engine/prepared/ZrpEncoder.h"
#include "report_engine/prepared/ZrpFile.h"

#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>

struct TfrxZrpFileStream::TState {
    explicit TState(const QString& fileName) : File(fileName) {}
    TfrxOutputFile File;
    TZrpEncoder Encoder;
    int PagesWritten = 0;
    int SourcePages = -1; // how many source pages the file holds, once written

    // Between the encoding thread and the compressing one.
    std::mutex Lock;
    std::condition_variable Changed;
    std::deque<std::string> Pieces;
    bool Closing = false;
    bool Complete = false;
    QString Error;
    std::thread Compressor;
};

TfrxZrpFileStream::TfrxZrpFileStream(const QString& fileName) : F(std::make_unique<TState>(fileName)) {
    frxZrp::writeSignature(F->File.device());
    F->Compressor = std::thread([this] { compress(); });
}

TfrxZrpFileStream::~TfrxZrpFileStream() {
    if (F->Compressor.joinable())
        stop(false);
}

void TfrxZrpFileStream::pageComplete(const TfrxPreviewPages& pages, int index) {
    if (index < F->PagesWritten)
        throw EfrxError(QStringLiteral("A page changed after it was saved"));
    encodeUpTo(pages, index + 1);
}

void TfrxZrpFileStream::commit(const TfrxPreviewPages& pages) {
    encodeUpTo(pages, pages.GetCount());
    if (F->SourcePages != static_cast<int>(pages.sourcePages().size()))
        throw EfrxError(QStringLiteral("The source pages changed after saving began"));
    F->Encoder.end();
    hand(F->Encoder.out().take());
    stop(true);
    if (!F->Error.isEmpty()) {
        F->File.check(); // a refused write is the file's error, with its name
        throw EfrxError(F->Error);
    }
    F->File.commit();
}

void TfrxZrpFileStream::encodeUpTo(const TfrxPreviewPages& pages, int count) {
    if (F->SourcePages < 0) {
        F->Encoder.sourcePages(pages);
        F->SourcePages = static_cast<int>(pages.sourcePages().size());
    }
    for (; F->PagesWritten < count; ++F->PagesWritten)
        F->Encoder.page(pages, pages.preparedPages()[static_cast<size_t>(F->PagesWritten)]);
    // Waking the other thread costs more than encoding a page, so it gets many at once.
    constexpr size_t PieceSize = 1 << 18;
    if (F->Encoder.out().size() >= PieceSize)
        hand(F->Encoder.out().take());
}

void TfrxZrpFileStream::hand(std::string piece) {
    {
        const std::lock_guard<std::mutex> guard(F->Lock);
        F->Pieces.push_back(std::move(piece));
    }
    F->Changed.notify_one();
}

void TfrxZrpFileStream::stop(bool complete) {
    {
        const std::lock_guard<std::mutex> guard(F->Lock);
        F->Closing = true;
        F->Complete = complete;
    }
    F->Changed.notify_one();
    F->Compressor.join();
}

// Runs on the second thread. After a failure it goes on taking pieces, so the
// encoding side never waits; the failure is reported when the file is committed.
void TfrxZrpFileStream::compress() {
    TZrpDeflater deflater(F->File.device());
    while (true) {
        std::string piece;
        {
            std::unique_lock<std::mutex> guard(F->Lock);
            F->Changed.wait(guard, [this] { return !F->Pieces.empty() || F->Closing; });
            if (F->Pieces.empty())
                break;
            piece = std::move(F->Pieces.front());
            F->Pieces.pop_front();
        }
        try {
            if (F->Error.isEmpty())
                deflater.write(piece.data(), static_cast<qint64>(piece.size()));
        } catch (const EfrxError& error) {
            F->Error = error.message(); // read by the other thread only once this one has ended
        }
    }
    try {
        if (F->Complete && F->Error.isEmpty())
            deflater.finish();
    } catch (const EfrxError& error) {
        F->Error = error.message();
    }
}
