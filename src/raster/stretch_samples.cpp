#include "stretch_samples.h"

namespace mosaren {

std::vector<std::int32_t> StretchSamples(std::int32_t destination, std::int32_t source) {
    std::vector<std::int32_t> map(static_cast<std::size_t>(destination));
    for (std::int32_t d = 0; d < destination; ++d) {
        map[d] = static_cast<std::int32_t>((std::int64_t{2} * d + 1) * source /
                                           (std::int64_t{2} * destination));
    }
    return map;
}

}  // namespace mosaren
