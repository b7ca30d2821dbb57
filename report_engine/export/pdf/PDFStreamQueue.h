#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <functional>
#include <memory>
#include <optional>
#include <string>

// The data of stream objects made ready for the file (compressed, encrypted) on
// other threads while the writer goes on with the next pages; the writer gets
// them back in the order it handed them in. Compressing a page takes a little
// longer than writing it, so the writer, rather than wait, prepares waiting
// items itself; each page is compressed on its own, so whichever thread does it
// gives the same bytes.
class TfrxPDFStreamQueue {
public:
    // Makes an object's data ready; runs on several threads at once, so it may
    // only read what does not change while the queue lives.
    using TPrepare = std::function<QByteArray(int object, QByteArrayView data)>;
    struct TReady {
        int Object = 0;
        QByteArray Data;
    };

    explicit TfrxPDFStreamQueue(TPrepare prepare);
    // Drops what is not taken yet and ends the threads.
    ~TfrxPDFStreamQueue();
    TfrxPDFStreamQueue(const TfrxPDFStreamQueue&) = delete;
    TfrxPDFStreamQueue& operator=(const TfrxPDFStreamQueue&) = delete;

    // Hands over the data of an object; while many are not begun yet, prepares
    // them itself first, so that memory stays bounded however long the report
    // (as long as the caller takes what is ready).
    void hand(int object, std::string data);
    // The first data handed in and not taken yet, once ready: without `wait`
    // nothing when it is not ready, with it nothing only when none is left
    // (preparing waiting items meanwhile).
    // A failure to prepare it is thrown here as EfrxError, once what was handed
    // in before it has been taken.
    std::optional<TReady> take(bool wait);

private:
    struct TState;

    std::unique_ptr<TState> F;
};
