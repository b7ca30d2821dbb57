#include "report_engine/export/pdf/PDFStreamQueue.h"

#include "report_engine/base/ReportError.h"

#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>

namespace {
// Not yet prepared: enough to keep the second thread busy while the writer has
// a slow page, few enough that a page's text (some 90 KB) times this stays small.
constexpr size_t MaxWaiting = 8;
} // namespace

struct TfrxPDFStreamQueue::TState {
    struct TItem {
        int Object = 0;
        std::string Data;
        QByteArray Ready;
        bool Done = false;
    };
    TPrepare Prepare;
    std::mutex Lock;
    std::condition_variable Changed;
    std::deque<TItem> Items; // in the order handed in; the ready ones first
    size_t Next = 0;         // the first item not prepared yet
    bool Stopping = false;
    QString Error;
    std::thread Worker;
};

TfrxPDFStreamQueue::TfrxPDFStreamQueue(TPrepare prepare) : F(std::make_unique<TState>()) {
    F->Prepare = std::move(prepare);
    F->Worker = std::thread([this] { prepareAll(); });
}

TfrxPDFStreamQueue::~TfrxPDFStreamQueue() {
    {
        const std::lock_guard<std::mutex> guard(F->Lock);
        F->Stopping = true;
    }
    F->Changed.notify_all();
    F->Worker.join();
}

void TfrxPDFStreamQueue::hand(int object, std::string data) {
    std::unique_lock<std::mutex> guard(F->Lock);
    F->Changed.wait(guard, [this] { return F->Items.size() - F->Next < MaxWaiting || !F->Error.isEmpty(); });
    if (!F->Error.isEmpty())
        throw EfrxError(F->Error);
    F->Items.push_back({object, std::move(data), {}, false});
    guard.unlock();
    F->Changed.notify_all();
}

std::optional<TfrxPDFStreamQueue::TReady> TfrxPDFStreamQueue::take(bool wait) {
    std::unique_lock<std::mutex> guard(F->Lock);
    const auto ready = [this] { return !F->Error.isEmpty() || F->Items.empty() || F->Items.front().Done; };
    if (wait)
        F->Changed.wait(guard, ready);
    // What was ready before a failure still comes first.
    if (F->Items.empty() || !F->Items.front().Done) {
        if (!F->Error.isEmpty())
            throw EfrxError(F->Error);
        return std::nullopt;
    }
    TReady taken{F->Items.front().Object, std::move(F->Items.front().Ready)};
    F->Items.pop_front();
    --F->Next;
    guard.unlock();
    F->Changed.notify_all();
    return taken;
}

// Runs on the second thread: prepares each item in turn, outside the lock.
void TfrxPDFStreamQueue::prepareAll() {
    std::unique_lock<std::mutex> guard(F->Lock);
    for (;;) {
        F->Changed.wait(guard, [this] { return F->Stopping || F->Next < F->Items.size(); });
        if (F->Stopping)
            return;
        TState::TItem& item = F->Items[F->Next];
        const int object = item.Object;
        const std::string data = std::move(item.Data);
        guard.unlock();
        QByteArray ready;
        QString error;
        try {
            ready = F->Prepare(object, QByteArrayView(data.data(), static_cast<qsizetype>(data.size())));
        } catch (const EfrxError& failure) {
            error = failure.message();
        }
        guard.lock();
        if (!error.isEmpty()) {
            F->Error = error;
        } else {
            // Items only leave from the front once done, so this one is still at Next.
            F->Items[F->Next].Ready = std::move(ready);
            F->Items[F->Next].Done = true;
            ++F->Next;
        }
        F->Changed.notify_all();
        if (!error.isEmpty())
            return;
    }
}
