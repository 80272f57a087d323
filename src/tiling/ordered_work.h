#pragma once

// Items 0 to n − 1 made on several threads and handed over one at a time in their own order, so
// that whoever takes them (the batch's committer) sees exactly the sequence one thread would
// have made. Workers run a few items ahead of the taker, never more, so what waits to be taken
// stays small however long the list. An item can be held back until the taker says an earlier
// one is settled: a texture that an earlier item's tile writes must be read after that tile is
// in place.
//
// With one worker no thread is started: each item is made by the taker when it asks for it.

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <exception>
#include <functional>
#include <limits>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

namespace mosaren {

template <typename Result>
class OrderedWork {
public:
    static constexpr std::size_t kNoWait = std::numeric_limits<std::size_t>::max();
    // However few the workers, they may run this far ahead: far enough to go on while the taker
    // waits for the disk.
    static constexpr std::size_t kLeastAhead = 32;
    // Makes item k on worker w (0 to workers − 1, one item at a time per worker). What it
    // raises is raised again by Next for that item.
    using Make = std::function<Result(std::size_t item, std::size_t worker)>;

    // waits[k]: an earlier item that must be released before item k is made, or kNoWait.
    OrderedWork(std::size_t count, std::size_t workers, std::vector<std::size_t> waits, Make make)
        : mCount(count),
          mWaits(std::move(waits)),
          mMake(std::move(make)),
          mAhead(workers <= 1 ? 1 : std::max<std::size_t>(4 * workers, kLeastAhead)),
          mSlots(mAhead) {
        if (workers <= 1) return;
        for (std::size_t w = 0; w < workers; ++w) mThreads.emplace_back([this, w] { Work(w); });
    }

    // Stops the workers: the items they have not started are never made.
    ~OrderedWork() {
        {
            const std::lock_guard<std::mutex> lock(mMutex);
            mStopping = true;
        }
        mChanged.notify_all();
        for (std::thread& thread : mThreads) thread.join();
    }

    OrderedWork(const OrderedWork&) = delete;
    OrderedWork& operator=(const OrderedWork&) = delete;

    // The result of the next item, once it is made; raises what making it raised.
    Result Next() {
        if (mThreads.empty()) return mMake(mTaken++, 0);
        std::unique_lock<std::mutex> lock(mMutex);
        Slot& slot = mSlots[mTaken % mAhead];
        mChanged.wait(lock, [&] { return slot.made; });
        std::optional<Result> result = std::move(slot.result);
        const std::exception_ptr failure = slot.failure;
        slot = Slot{};
        ++mTaken;
        lock.unlock();
        mChanged.notify_all();  // a place ahead has come free
        if (failure) std::rethrow_exception(failure);
        return std::move(*result);
    }

    // Whether the next item is made, waiting for it until deadline at most. With one worker the
    // item is made only when asked for: it counts as ready while the deadline is still ahead.
    bool NextReadyBy(std::chrono::steady_clock::time_point deadline) {
        if (mThreads.empty()) return std::chrono::steady_clock::now() < deadline;
        std::unique_lock<std::mutex> lock(mMutex);
        Slot& slot = mSlots[mTaken % mAhead];
        return mChanged.wait_until(lock, deadline, [&] { return slot.made; });
    }

    // Items 0 to k are settled: items held back for one of them may be made.
    void Release(std::size_t k) {
        {
            const std::lock_guard<std::mutex> lock(mMutex);
            mReleased = std::max(mReleased, k + 1);
        }
        mChanged.notify_all();
    }

private:
    struct Slot {
        bool made = false;
        std::optional<Result> result;
        std::exception_ptr failure;
    };

    void Work(std::size_t worker) {
        std::unique_lock<std::mutex> lock(mMutex);
        for (;;) {
            // The next item not yet started, once it lies close enough ahead of the taker and
            // what it waits for is released.
            mChanged.wait(lock, [&] {
                if (mStopping || mStarted == mCount) return true;
                if (mStarted >= mTaken + mAhead) return false;
                const std::size_t wait = mWaits.empty() ? kNoWait : mWaits[mStarted];
                return wait == kNoWait || wait < mReleased;
            });
            if (mStopping || mStarted == mCount) return;
            const std::size_t k = mStarted++;
            lock.unlock();
            Slot made;
            made.made = true;
            try {
                made.result.emplace(mMake(k, worker));
            } catch (...) {
                made.failure = std::current_exception();
            }
            lock.lock();
            mSlots[k % mAhead] = std::move(made);
            mChanged.notify_all();
        }
    }

    const std::size_t mCount;
    const std::vector<std::size_t> mWaits;
    const Make mMake;
    const std::size_t mAhead;  // how far the workers may run ahead of the taker

    std::mutex mMutex;
    std::condition_variable mChanged;
    std::vector<Slot> mSlots;  // item k's result waits in slot k mod mAhead
    std::size_t mStarted = 0;
    std::size_t mReleased = 0;
    bool mStopping = false;
    std::size_t mTaken = 0;  // items handed over
    std::vector<std::thread> mThreads;
};

}  // namespace mosaren
