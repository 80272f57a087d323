#include "godot4_terrains.h"

#include <utility>

#include "godot_text.h"

namespace mosaren {

namespace {

// TileSet.TerrainMode: each tile's terrains are those at its corners.
constexpr int kMatchCorners = 1;

int TerrainNumber(Terrain terrain) { return terrain == Terrain::A ? 0 : 1; }

std::string Line(const std::string& key, const std::string& value) {
    return key + " = " + value + "\n";
}

}  // namespace

std::string Godot4TerrainSetLines(const TerrainSet& set) {
    std::string text = Line("terrain_set_0/mode", std::to_string(kMatchCorners));
    for (const Terrain terrain : {Terrain::A, Terrain::B}) {
        const std::string key = "terrain_set_0/terrain_" + std::to_string(TerrainNumber(terrain));
        text += Line(key + "/name", GodotString(set.Label(terrain).name));
        text += Line(key + "/color", Godot4Colour(set.Label(terrain).colour));
    }
    return text;
}

std::string Godot4TileTerrainLines(const std::string& tile, const TerrainCorners& corners) {
    std::string text = Line(tile + "/terrain_set", "0");
    text += Line(tile + "/terrain", std::to_string(TerrainNumber(CentreTerrain(corners))));
    // Godot lists a tile's neighbours clockwise from the right, so the corners come in this order.
    const std::pair<const char*, Terrain> bits[] = {{"right_corner", corners.topRight},
                                                    {"bottom_corner", corners.bottomRight},
                                                    {"left_corner", corners.bottomLeft},
                                                    {"top_corner", corners.topLeft}};
    for (const auto& [bit, terrain] : bits) {
        text += Line(tile + "/terrains_peering_bit/" + bit, std::to_string(TerrainNumber(terrain)));
    }
    return text;
}

}  // namespace mosaren
