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

// A cell of an isometric TileMap: its place, its tile id and, for an autotile, the subtile Godot
// chose for it.
struct Godot3Cell {
    int x = 0;
    int y = 0;
    int tile = 0;
    int subtileX = 0;
    int subtileY = 0;
};

// Paints the cells with the tile set resPath of the project in folder (as LoadGodot3Tileset
// makes it) on an isometric TileMap of cells cellWidth × cellHeight, lets Godot work out every
// autotile's bitmask, and returns the cells with the subtiles Godot chose, in the same order.
std::vector<Godot3Cell> PaintGodot3Map(const std::filesystem::path& folder,
                                       const std::string& resPath, int cellWidth, int cellHeight,
                                       const std::vector<Godot3Cell>& cells);

// A scene whose root is a TileMap, as Godot 3 loads it.
struct Godot3Scene {
    int mode = 0;
    int cellWidth = 0;
    int cellHeight = 0;
    int tileOrigin = 0;
    bool filtered = false;  // the texture of the tile set's tile 0, as imported
    struct Cell {
        int x = 0;
        int y = 0;
        int tile = 0;
        int worldX = 0;  // map_to_world: the top-left of the box around the cell's diamond
        int worldY = 0;
    };
    std::vector<Cell> cells;  // in Godot's order
};

// Imports the pictures of the project in folder (as LoadGodot3Tileset does), loads the scene
// resPath and reports its TileMap.
Godot3Scene LoadGodot3Scene(const std::filesystem::path& folder, const std::string& resPath);

// The godot3 program, Godot 3 with its renderer (Debian's godot3), or empty when it or xvfb-run
// is not installed.
std::string Godot3Renderer();

// Draws the scene resPath of the project in folder as Godot 3 shows it (imported as for
// LoadGodot3Tileset, rendered by GLES2 on Mesa's software rasteriser under Xvfb): its root at
// (x, y) in a window of width × height, over magenta (255, 0, 255). Returns the frame's PNG file.
std::filesystem::path RenderGodot3Scene(const std::filesystem::path& folder,
                                        const std::string& resPath, int width, int height, int x,
                                        int y);

}  // namespace mosaren::testing
