#include "picture_bounds.h"

#include <condition_variable>
#include <mutex>

#include "picture_import.h"
#include "raster/exceptions.h"

namespace mosaren {

void RefuseBeyondBound(const std::string& what, std::uint64_t limit, const std::string& unit) {
    throw EInvalidGraphic(std::string(kUnreadablePicture) + ": " + what + ", more than the " +
                          std::to_string(limit) + " " + unit);
}

void CheckWholePicture(std::int64_t width, std::int64_t height) {
    const auto pixels = static_cast<std::uint64_t>(width) * static_cast<std::uint64_t>(height);
    if (pixels > kWholePicturePixels) {
        RefuseBeyondBound(std::to_string(width) + " x " + std::to_string(height) +
                              " pixels decoded whole",
                          kWholePicturePixels, "pixels a texture decoded whole may have");
    }
}

namespace {

struct DecodingBudget {
    std::mutex mutex;
    std::condition_variable released;
    std::uint64_t taken = 0;
};

DecodingBudget& TheBudget() {
    static DecodingBudget budget;
    return budget;
}

thread_local int tDecodingsOnThisThread = 0;

}  // namespace

WholeDecoding::WholeDecoding(std::int64_t width, std::int64_t height) {
    CheckWholePicture(width, height);
    if (tDecodingsOnThisThread++ > 0) return;
    mPixels = static_cast<std::uint64_t>(width) * static_cast<std::uint64_t>(height);
    DecodingBudget& budget = TheBudget();
    std::unique_lock<std::mutex> lock(budget.mutex);
    // A picture within the bound always gets its turn: once nothing else is being decoded.
    budget.released.wait(lock, [&] {
        return budget.taken == 0 || budget.taken + mPixels <= kWholePicturePixels;
    });
    budget.taken += mPixels;
}

WholeDecoding::~WholeDecoding() {
    --tDecodingsOnThisThread;
    if (mPixels == 0) return;
    DecodingBudget& budget = TheBudget();
    {
        const std::lock_guard<std::mutex> lock(budget.mutex);
        budget.taken -= mPixels;
    }
    budget.released.notify_all();
}

}  // namespace mosaren
