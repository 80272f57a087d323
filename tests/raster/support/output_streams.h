#pragma once

// Output streams that watch or refuse what the BMP writer sends them.

#include <algorithm>
#include <cstddef>
#include <vector>

#include "raster/byte_stream.h"

namespace mosaren::testing {

// Takes everything and remembers how many bytes each write asked for.
class RecordingStream final : public OutputStream {
public:
    std::size_t Write(const void* buffer, std::size_t count) override {
        mWrites.push_back(count);
        return mBytes.Write(buffer, count);
    }
    const std::vector<std::size_t>& Writes() const { return mWrites; }

private:
    MemoryOutputStream mBytes;
    std::vector<std::size_t> mWrites;
};

// Passes at most budget bytes in all to the inner stream, as a disk that fills up does: the
// write that reaches the limit is taken only in part, and later ones not at all.
class BudgetStream final : public OutputStream {
public:
    BudgetStream(OutputStream& inner, std::size_t budget) : mInner(inner), mBudget(budget) {}
    std::size_t Write(const void* buffer, std::size_t count) override {
        const std::size_t taken = mInner.Write(buffer, std::min(count, mBudget));
        mBudget -= taken;
        return taken;
    }

private:
    OutputStream& mInner;
    std::size_t mBudget;
};

}  // namespace mosaren::testing
