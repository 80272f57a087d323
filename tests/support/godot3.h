#pragma once

// The real Godot 3 (Debian's godot3-server, which tools/setup installs) as the consumer of our
// tile sets: it opens a project headless, loads a TileSet resource and reports every tile as
// Godot sees it, the pixels of its region included.

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace mosaren::testing {

struct Godot3Tile {
    int id = 0;
    std::string name;
    int regionX = 0;
    int regionY = 0;
    int regionWidth = 0;
    int regionHeight = 0;
    int offsetX = 0;
    int offsetY = 0;
    int mode = 0;
    int textureWidth = 0;
    int textureHeight = 0;
    // The region's pixels as the imported texture holds them: RGBA bytes, row by row.
    std::vector<std::uint8_t> pixels;
};

// The godot3-server program, or empty when it is not installed.
std::string Godot3Program();

// Makes folder a Godot project (its project.godot), lets Godot import the pictures in it, then
// loads resPath ("res://...") and returns its tiles in id order. Raises std::runtime_error with
// Godot's output when the resource does not load.
std::vector<Godot3Tile> LoadGodot3Tileset(const std::filesystem::path& folder,
                                          const std::string& resPath);

}  // namespace mosaren::testing
