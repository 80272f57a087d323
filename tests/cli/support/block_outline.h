#pragma once

// The outline of a block, or of a whole map of blocks: a diamond W × H raised by R into the
// hexagon (W/2, 0), (W, H/2), (W, H/2 + R), (W/2, H + R), (0, H/2 + R), (0, H/2).

#include <cstdlib>

namespace mosaren::testing {

enum class Outline { Outside, Edge, Inside };

// Where the centre of pixel (x, y) lies. Measured in half pixels, the centre is (2x + 1, 2y + 1)
// and the upper and lower edges lie |2x + 1 − W| · H/W below the top and above the bottom. A
// centre on an edge may fall either way by the tie rule.
inline Outline OutlineAt(int x, int y, int w, int h, int rise) {
    const long long across = std::abs(2LL * x + 1 - w) * h;
    const long long down = (2LL * y + 1) * w;
    const long long bottom = 2LL * (h + rise) * w - across;
    if (down < across || down > bottom) return Outline::Outside;
    return down == across || down == bottom ? Outline::Edge : Outline::Inside;
}

}  // namespace mosaren::testing
