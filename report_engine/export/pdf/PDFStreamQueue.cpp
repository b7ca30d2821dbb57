#include "report_engine/export/pdf/PDFStreamQueue.h"

#include "report_engine/base/ReportError.h"

#include <algorithm>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>
#include <vector>

namespace {
// Not yet begun: enough to keep the other threads busy while the writer has a
// slow page, few enough that a page's text (some 90 KB) times this stays small.
constexpr size_t MaxWaiting = 8;

// One thread for each core the writer leaves; more than a few outrun any
// writer. More threads than cores would take turns with the writer, which all
// of them wait on.
unsigned preparingThreads() {
    return std::clamp(std::thread::hardware_concurrency(), 2u, 4u) - 1;
}
} // namespace

struct TfrxPDFStreamQueue::TState {
    struct TItem {
        int Object = 0;
        std::string Data;
        QByteArray Ready;
        QString Error;
        bool Done = false;
    };
    TPrepare Prepare;
    std::mutex Lock;
    std::condition_variable Changed;
    std::deque<TItem> Items; // in the order handed in
    size_t Next = 0;         // the first item no thread has begun
    size_t Taken = 0;        // items taken off the front so far
    bool Failed = false;     // once an item fails, no more are begun
    bool Stopping = false;
    std::vector<std::thread> Workers;

    void prepareAll();
    void prepareNext(std::unique_lock<std::mutex>& guard);
};

TfrxPDFStreamQueue::TfrxPDFStreamQueue(TPrepare prepare) : F(std::make_unique<TState>()) {
    F->Prepare = std::move(prepare);
    for (unsigned i = preparingThreads(); i > 0; --i)
        F->Workers.emplace_back([state = F.get()] { state->prepareAll(); });
}

TfrxPDFStreamQueue::~TfrxPDFStreamQueue() {
    {
        const std::lock_guard<std::mutex> guard(F->Lock);
        F->Stopping = true;
    }
    F->Changed.notify_all();
    for (std::thread& worker : F->Workers)
        worker.join();
}

// When the other threads are behind, the writer prepares the oldest waiting
// item itself rather than idle until they catch up.
void TfrxPDFStreamQueue::hand(int object, std::string data) {
    std::unique_lock<std::mutex> guard(F->Lock);
    while (F->Items.size() - F->Next >= MaxWaiting && !F->Failed)
        F->prepareNext(guard);
    if (F->Failed) {
        const auto failed = std::find_if(F->Items.begin(), F->Items.end(),
                                         [](const TState::TItem& item) { return !item.Error.isEmpty(); });
        throw EfrxError(failed->Error);
    }
    F->Items.push_back({object, std::move(data), {}, {}, false});
    guard.unlock();
    F->Changed.notify_all();
}

std::optional<TfrxPDFStreamQueue::TReady> TfrxPDFStreamQueue::take(bool wait) {
    std::unique_lock<std::mutex> guard(F->Lock);
    // Every item before a failed one was begun, so the front is always done in the end.
    const auto ready = [this] { return F->Items.empty() || F->Items.front().Done; };
    while (wait && !F->Failed && F->Next < F->Items.size() && !ready())
        F->prepareNext(guard);
    if (wait)
        F->Changed.wait(guard, ready);
    if (F->Items.empty() || !F->Items.front().Done)
        return std::nullopt;
    // What was ready before a failure still comes first.
    if (!F->Items.front().Error.isEmpty())
        throw EfrxError(F->Items.front().Error);
    TReady taken{F->Items.front().Object, std::move(F->Items.front().Ready)};
    F->Items.pop_front();
    --F->Next;
    ++F->Taken;
    guard.unlock();
    F->Changed.notify_all();
    return taken;
}

// Runs on each preparing thread until the queue ends.
void TfrxPDFStreamQueue::TState::prepareAll() {
    std::unique_lock<std::mutex> guard(Lock);
    for (;;) {
        Changed.wait(guard, [this] { return Stopping || (!Failed && Next < Items.size()); });
        if (Stopping)
            return;
        prepareNext(guard);
    }
}

// Begins the first item no thread has begun, prepares it outside the lock and
// marks it done where it now stands: the writer may have taken items off the
// front meanwhile, never this one.
void TfrxPDFStreamQueue::TState::prepareNext(std::unique_lock<std::mutex>& guard) {
    const size_t sequence = Taken + Next;
    TItem& item = Items[Next++];
    const int object = item.Object;
    const std::string data = std::move(item.Data);
    guard.unlock();
    QByteArray ready;
    QString error;
    try {
        ready = Prepare(object, QByteArrayView(data.data(), static_cast<qsizetype>(data.size())));
    } catch (const EfrxError& failure) {
        error = failure.message();
    }
    guard.lock();
    TItem& done = Items[sequence - Taken];
    done.Ready = std::move(ready);
    done.Error = error;
    done.Done = true;
    Failed = Failed || !error.isEmpty();
    Changed.notify_all();
}
