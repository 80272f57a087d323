#pragma once

// A loop over a few channels written out in full: step(k) for k = 0 to C − 1, each k a constant.
// The per-texel loops of the smooth sampler run it over 3 or 7 sums; unrolled, the sums stay in
// registers rather than in memory, whatever the compiler's own unrolling at each optimisation
// level.

#include <cstddef>
#include <type_traits>
#include <utility>

namespace mosaren {

template <std::size_t C, typename Step>
inline void ForEachChannel(Step&& step) {
    [&]<std::size_t... k>(std::index_sequence<k...>) {
        (step(std::integral_constant<std::size_t, k>{}), ...);
    }(std::make_index_sequence<C>{});
}

}  // namespace mosaren
