#pragma once

// How a flat tile takes its colours from its texture. Nearest: each tile pixel shows one texture
// pixel, the one the tile maker's steps pick, so pixel art stays crisp and the tiles are the
// desktop program's own. Smooth: each tile pixel is the average of the texture under it, the
// diamond's rim covered in part (smooth_sampling.h), for painted and photographic textures,
// whose detail nearest sampling turns into noise as it shrinks them.

namespace mosaren {

enum class TileFilter { Nearest, Smooth };

}  // namespace mosaren
