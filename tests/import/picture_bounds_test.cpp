#include "import/picture_bounds.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "raster/exceptions.h"

namespace mosaren {
namespace {

constexpr std::int64_t kSide = 8192;  // a picture of the whole budget

// Two decodings of the whole budget on two threads take turns: the second starts only once the
// first has ended, however long the first takes. (Were they let through together, the second
// would start during the first's pause.)
TEST(WholeDecoding, TakesTurnsWhenTwoWouldHoldMoreThanOneTextureMay) {
    std::mutex mutex;
    std::vector<std::string> events;
    const auto note = [&](const std::string& event) {
        const std::lock_guard<std::mutex> lock(mutex);
        events.push_back(event);
    };
    std::atomic<bool> firstStarted{false};
    std::thread first([&] {
        const WholeDecoding decoding(kSide, kSide);
        note("first starts");
        firstStarted = true;
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        note("first ends");
    });
    while (!firstStarted) std::this_thread::yield();
    std::thread second([&] {
        const WholeDecoding decoding(kSide, kSide);
        note("second starts");
    });
    first.join();
    second.join();
    EXPECT_EQ(events, (std::vector<std::string>{"first starts", "first ends", "second starts"}));
}

// Pictures that fit the budget together decode side by side, a decoding inside another on one
// thread never waits for itself, and a picture beyond the bound is refused before it takes
// anything.
TEST(WholeDecoding, LetsWhatFitsThroughAtOnceAndRefusesWhatNeverFits) {
    std::atomic<bool> secondDone{false};
    std::atomic<bool> secondDoneWhileFirstHeld{false};
    std::thread first([&] {
        const WholeDecoding decoding(kSide / 2, kSide / 2);
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (!secondDone && std::chrono::steady_clock::now() < deadline) std::this_thread::yield();
        secondDoneWhileFirstHeld = secondDone.load();
    });
    std::thread second([&] {
        { const WholeDecoding decoding(kSide / 2, kSide / 2); }
        secondDone = true;
    });
    first.join();
    second.join();
    EXPECT_TRUE(secondDoneWhileFirstHeld);

    const WholeDecoding outer(kSide, kSide);
    { const WholeDecoding inner(kSide, kSide); }
    EXPECT_THROW(WholeDecoding(kSide + 1, kSide), EInvalidGraphic);
}

}  // namespace
}  // namespace mosaren
