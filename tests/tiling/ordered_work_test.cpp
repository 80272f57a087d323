#include "tiling/ordered_work.h"

#include <gtest/gtest.h>

#include <atomic>
#include <stdexcept>
#include <string>

namespace mosaren {
namespace {

using Work = OrderedWork<std::string>;

// Items that take longer the earlier they are, so that later ones are made first.
std::string SlowEarly(std::size_t k) {
    std::this_thread::sleep_for(std::chrono::milliseconds(k < 6 ? 6 - k : 0));
    if (k == 4) throw std::runtime_error("four");
    return std::to_string(k);
}

TEST(OrderedWork, HandsOverEveryItemInItsOrderWithItsFailureForAnyNumberOfWorkers) {
    for (const std::size_t workers : {1, 2, 5}) {
        Work work(12, workers, {}, [](std::size_t k, std::size_t) { return SlowEarly(k); });
        for (std::size_t k = 0; k < 12; ++k) {
            if (k == 4) {
                EXPECT_THROW(work.Next(), std::runtime_error) << workers;
            } else {
                EXPECT_EQ(work.Next(), std::to_string(k)) << workers;
            }
        }
    }
}

TEST(OrderedWork, MakesAHeldBackItemOnlyOnceTheItemItWaitsForIsReleased) {
    std::atomic<bool> released{false};
    std::atomic<bool> madeEarly{false};
    std::vector<std::size_t> waits(6, Work::kNoWait);
    waits[4] = 1;
    Work work(6, 3, waits, [&](std::size_t k, std::size_t) {
        if (k == 4 && !released) madeEarly = true;
        return std::to_string(k);
    });
    for (std::size_t k = 0; k < 6; ++k) {
        if (k == 3) {
            // Everything else may be made by now; item 4 may not.
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
            released = true;
            work.Release(2);
        }
        EXPECT_EQ(work.Next(), std::to_string(k));
    }
    EXPECT_FALSE(madeEarly);
}

TEST(OrderedWork, StopsWithoutMakingTheRestWhenTheTakerLeaves) {
    std::atomic<std::size_t> made{0};
    {
        Work work(1000, 4, {}, [&](std::size_t k, std::size_t) {
            ++made;
            return std::to_string(k);
        });
        EXPECT_EQ(work.Next(), "0");
    }
    // Only the few items the workers may run ahead were made.
    EXPECT_LT(made.load(), 50u);
}

}  // namespace
}  // namespace mosaren
