#pragma once

// The two terrains of the transition tests: grass (A) and sand (B), flat colours whose tiles
// tell at each pixel which terrain it shows.

#include "raster/colour.h"

namespace mosaren::testing {

inline constexpr TColor kGrass = Rgb(40, 160, 30);
inline constexpr TColor kSand = Rgb(220, 200, 120);

// Bit k of tile i = 8·TL + 4·TR + 2·BR + BL: whether that corner is sand (2 in a Wang id, 1 in
// Godot's terrains).
inline bool SandAt(int index, int weight) { return (index & weight) != 0; }

}  // namespace mosaren::testing
