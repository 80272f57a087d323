#include "transition_gather.h"

#include <utility>

#include "terrain_field.h"

namespace mosaren {

TransitionGather::TransitionGather(WorkingTexture a, WorkingTexture b, const TerrainBorder& border)
    : mA(std::move(a)), mB(std::move(b)), mBorder(border) {}

WorkingTexture TransitionGather::Blend(const TerrainCorners& corners, std::uint32_t variant) const {
    TerrainBorder border = mBorder;
    border.variant = variant;
    const std::vector<Terrain> field = TerrainField(corners, border);
    const bool hasAlpha = !mA.alpha.empty() || !mB.alpha.empty();
    WorkingTexture blend;
    blend.colours.resize(field.size());
    if (hasAlpha) blend.alpha.resize(field.size());
    for (std::size_t i = 0; i < field.size(); ++i) {
        const WorkingTexture& chosen = Of(field[i]);
        blend.colours[i] = chosen.colours[i];
        if (hasAlpha) blend.alpha[i] = chosen.alpha.empty() ? std::uint8_t{255} : chosen.alpha[i];
    }
    return blend;
}

}  // namespace mosaren
