#pragma once

// In what form a run hands its tiles over, besides the BMP tiles themselves: the image format,
// one sheet instead of separate files, a Tiled tileset, Godot tile sets, starter maps and a map
// preview.

#include <cstdint>
#include <string>
#include <vector>

namespace mosaren {

enum class ImageFormat { Bmp, Png };

// The kinds of starter map: the preview's map, ready to open in a map editor or an engine.
enum class MapKind {
    Tmx,          // Tiled, referring to the run's TSX tileset
    Tmj,          // Tiled JSON for web engines, the sheet's tileset embedded
    Godot4Scene,  // a scene with a TileMap of the --godot tile set
    Godot3Scene,  // the same for Godot 3, of the --godot3 tile set
};

struct StarterMap {
    std::string file;
    MapKind kind = MapKind::Tmx;
};

struct OutputSettings {
    ImageFormat format = ImageFormat::Bmp;  // of the tile files, or of the sheet
    int bmpDepth = 32;  // bits per pixel of BMP tile files (16, 24 or 32), as the run's tiles are drawn
    std::string sheet;                      // empty: every tile a file of its own
    std::int32_t columns = 0;               // 0: the most nearly square grid
    std::int32_t margin = 0;
    std::int32_t spacing = 0;
    std::int32_t extrude = 0;
    std::string tsx;         // empty: no tileset file
    std::string mapPreview;  // empty: no preview
    // Godot 4 and Godot 3 tile sets of the sheet (empty: none), naming it from godotRoot, the
    // Godot project's folder (empty: the folder of each tile set file).
    std::string godot;
    std::string godot3;
    std::string godotRoot;
    std::vector<StarterMap> maps;
};

}  // namespace mosaren
