#include "report_engine/export/pdf/PDFStreamQueue.h"
#include "report_engine/base/ReportError.h"

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <thread>

namespace {
// Prepares an object's data as its number and the data, taking longer for
// some objects than for others, so that a queue that lets later ones overtake
// earlier ones shows it.
QByteArray slowly(int object, QByteArrayView data) {
    if (object % 3 == 0)
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    return QByteArray::number(object) + ':' + data.toByteArray();
}
} // namespace

TEST(PDFStreamQueue, GivesBackEveryStreamInTheOrderHandedIn) {
    TfrxPDFStreamQueue queue(slowly);
    std::vector<int> taken;
    const auto takeReady = [&](bool wait) {
        while (const std::optional<TfrxPDFStreamQueue::TReady> ready = queue.take(wait)) {
            EXPECT_EQ(ready->Data,
                      QByteArray::number(ready->Object) + ":page " + QByteArray::number(ready->Object));
            taken.push_back(ready->Object);
        }
    };
    // More than the queue holds unprepared, so handing in waits for the thread.
    for (int object = 1; object <= 40; ++object) {
        queue.hand(object, "page " + std::to_string(object));
        takeReady(false);
    }
    takeReady(true);
    ASSERT_EQ(taken.size(), 40u);
    for (size_t i = 0; i < taken.size(); ++i)
        EXPECT_EQ(taken[i], static_cast<int>(i) + 1);
    EXPECT_FALSE(queue.take(true).has_value());
}

// The failing stream is quicker than the one before it, which another thread
// still prepares: that one is still given back first, and no more are taken in.
TEST(PDFStreamQueue, AFailureReachesTheWriterAfterWhatCameBeforeIt) {
    TfrxPDFStreamQueue queue([](int object, QByteArrayView data) {
        if (object == 1)
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        if (object == 2)
            throw EfrxError(QStringLiteral("A stream of the PDF file could not be compressed"));
        return data.toByteArray();
    });
    queue.hand(1, "first");
    queue.hand(2, "second");
    EXPECT_EQ(queue.take(true)->Data, QByteArray("first"));
    const auto expectFailure = [](const std::function<void()>& call) {
        try {
            call();
            ADD_FAILURE() << "the failure was not reported";
        } catch (const EfrxError& error) {
            EXPECT_EQ(error.message(), QStringLiteral("A stream of the PDF file could not be compressed"));
        }
    };
    expectFailure([&] { queue.take(true); });
    expectFailure([&] { queue.hand(3, "third"); });
}

// An export cancelled between pages drops the queue with streams still in it.
TEST(PDFStreamQueue, DroppedWithStreamsLeftEndsAtOnce) {
    auto queue = std::make_unique<TfrxPDFStreamQueue>(slowly);
    for (int object = 1; object <= 6; ++object)
        queue->hand(object, std::string(100000, 'x'));
    queue.reset();
}
