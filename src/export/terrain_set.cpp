#include "terrain_set.h"

#include <cstdint>
#include <filesystem>

#include "tiling/terrain_blend.h"

namespace mosaren {

namespace {

TColor MeanColour(const std::vector<TColor>& colours) {
    std::uint64_t red = 0;
    std::uint64_t green = 0;
    std::uint64_t blue = 0;
    for (const TColor c : colours) {
        red += RedOf(c);
        green += GreenOf(c);
        blue += BlueOf(c);
    }
    const std::uint64_t n = colours.size();
    auto mean = [n](std::uint64_t sum) {
        return static_cast<std::uint8_t>((2 * sum + n) / (2 * n));
    };
    return Rgb(mean(red), mean(green), mean(blue));
}

TerrainLabel LabelOf(const std::string& texture, const std::vector<TColor>& colours) {
    return TerrainLabel{std::filesystem::path(texture).stem().string(), MeanColour(colours)};
}

}  // namespace

TerrainSet TransitionTerrains(const std::string& textureA, const std::string& textureB,
                              const TerrainBlend& blend, int variants, std::uint32_t mapSeed) {
    TerrainSet set;
    set.terrains = {LabelOf(textureA, blend.ColoursOf(Terrain::A)),
                    LabelOf(textureB, blend.ColoursOf(Terrain::B))};
    for (int variant = 0; variant < variants; ++variant) {
        for (int index = 0; index < kTransitionTileCount; ++index) {
            set.tiles.push_back(TransitionCorners(index));
        }
    }
    set.mapSeed = mapSeed;
    return set;
}

int TileWithCorners(const TerrainSet& set, const TerrainCorners& corners) {
    for (std::size_t id = 0; id < set.tiles.size(); ++id) {
        if (set.tiles[id] == corners) return static_cast<int>(id);
    }
    return -1;
}

Terrain CentreTerrain(const TerrainCorners& corners) {
    const int b = (corners.topLeft == Terrain::B) + (corners.topRight == Terrain::B) +
                  (corners.bottomRight == Terrain::B) + (corners.bottomLeft == Terrain::B);
    return b >= 2 ? Terrain::B : Terrain::A;
}

}  // namespace mosaren
