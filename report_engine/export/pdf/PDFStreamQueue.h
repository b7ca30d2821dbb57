#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <functional>
#include <memory>
#include <optional>
#include <string>

// The data of stream objects made ready for the file (compressed, encrypted) on
// a second thread while the writer goes on with the next pages; the writer gets
// them back in the order it handed them in. Compressing a page takes about as
// long as writing it, so the two halve the wait on a machine with two cores.
class TfrxPDFStreamQueue {
public:
    // Makes an object's data ready; runs on the second thread, so it may only
    // read what does not change while the queue lives.
    using TPrepare = std::function<QByteArray(int object, QByteArrayView data)>;
    struct TReady {
        int Object = 0;
        QByteArray Data;
    };

    explicit TfrxPDFStreamQueue(TPrepare prepare);
    // Drops what is not taken yet and ends the thread.
    ~TfrxPDFStreamQueue();
    TfrxPDFStreamQueue(const TfrxPDFStreamQueue&) = delete;
    TfrxPDFStreamQueue& operator=(const TfrxPDFStreamQueue&) = delete;

    // Hands over the data of an object; waits while many are not prepared yet,
    // so that memory stays bounded however long the report (as long as the
    // caller takes what is ready).
    void hand(int object, std::string data);
    // The first data handed in and not taken yet, once ready: without `wait`
    // nothing when it is not ready, with it nothing only when none is left.
    // A failure to prepare it is thrown here as EfrxError, once what was handed
    // in before it has been taken.
    std::optional<TReady> take(bool wait);

private:
    struct TState;
    void prepareAll();

    std::unique_ptr<TState> F;
};
