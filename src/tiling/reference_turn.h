#pragma once

// TileMaker's bitmaps share drawing state between threads (the surfaces that hold a drawing
// context), so the few runs of it that the engine's gathers make on several threads take turns
// under this one lock.

#include <mutex>

namespace mosaren {

std::mutex& ReferenceTurn();

}  // namespace mosaren
