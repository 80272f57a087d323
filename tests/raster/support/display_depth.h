#pragma once

#include "raster/graphics/graphics.h"

namespace mosaren::testing {

// Sets the display depth for one test and puts the default back afterwards.
class ScopedDisplayDepth {
public:
    explicit ScopedDisplayDepth(int bits) : mSaved(gdi::DisplayDepth()) { gdi::SetDisplayDepth(bits); }
    ~ScopedDisplayDepth() { gdi::SetDisplayDepth(mSaved); }
    ScopedDisplayDepth(const ScopedDisplayDepth&) = delete;
    ScopedDisplayDepth& operator=(const ScopedDisplayDepth&) = delete;

private:
    int mSaved;
};

}  // namespace mosaren::testing
