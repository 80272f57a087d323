// libFuzzer entry point comparing the tile engine with the tile maker: any difference in the
// tiles' bytes or in a failure stops the run as a finding.

#include <cstdio>
#include <cstdlib>

#include "tile_engine_one.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string difference = mosaren::fuzz::CompareTileEngineOnce({data, size});
    if (!difference.empty()) {
        std::fprintf(stderr, "the tile engine differs from the tile maker: %s\n", difference.c_str());
        std::abort();
    }
    return 0;
}
