#pragma once

// Godot 4 TileSet resources read back strictly, as a stand-in for Godot 4, which Debian 12 does
// not package. The text must keep to the grammar of Godot's text resources (sections in
// brackets, "key = value" lines, values such as Vector2i(…), ExtResource("…") and
// SubResource("…")) and hold only the keys a tile set of ours may use, each with a value of its
// kind and none that repeats one of Godot's defaults. Anything else raises std::runtime_error
// naming the line.

#include <string>
#include <vector>

namespace mosaren::testing {

struct Vector2i {
    int x = 0;
    int y = 0;
    friend bool operator==(const Vector2i&, const Vector2i&) = default;
};

struct Godot4Tile {
    Vector2i coords;  // column and row in the atlas grid
    Vector2i textureOrigin;
};

struct Godot4Tileset {
    std::string texturePath;  // of the one Texture2D
    Vector2i margins;
    Vector2i separation;
    Vector2i regionSize{16, 16};
    int tileShape = 0;
    int tileLayout = 0;
    Vector2i tileSize{16, 16};
    std::vector<Godot4Tile> tiles;  // in the file's order

    // The atlas grid as Godot computes it from the texture's size: along each side
    // 1 + (size - margin - region) / (region + separation) cells, none where no region fits.
    Vector2i GridSize(int textureWidth, int textureHeight) const;
    // The top-left of the region Godot takes for the tile at coords.
    Vector2i RegionOrigin(Vector2i coords) const;
};

Godot4Tileset ReadGodot4Tileset(const std::string& text);

}  // namespace mosaren::testing
