#pragma once

#include "raster/display_depth.h"

namespace mosaren::testing {

// Sets the display depth for one test and puts the one before back afterwards.
class ScopedDisplayDepth {
public:
    explicit ScopedDisplayDepth(int bits) : mSaved(DisplayDepth()) { SetDisplayDepth(bits); }
    ~ScopedDisplayDepth() { SetDisplayDepth(mSaved); }
    ScopedDisplayDepth(const ScopedDisplayDepth&) = delete;
    ScopedDisplayDepth& operator=(const ScopedDisplayDepth&) = delete;

private:
    int mSaved;
};

}  // namespace mosaren::testing
