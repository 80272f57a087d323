#pragma once

// Where the tiles of one run go. A front end hands over each finished tile under the BMP name
// the tile commands give it; this writes it in the chosen format, or keeps it for the sheet, and
// once the run is over writes the sheet, the tileset file and the map preview.

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "output_settings.h"
#include "rgba_image.h"
#include "terrain_set.h"
#include "tile_sheet.h"
#include "tiling/block_settings.h"
#include "tiling/tile_coverage.h"
#include "tiling/tile_geometry.h"
#include "tiling/tile_settings.h"

namespace mosaren {

class TBitmap;

class RunOutputs {
public:
    // Both are read as the run goes and must outlive it; the tiles are made with settings and,
    // when block makes blocks, are blocks of that height and those faces.
    RunOutputs(const TTileSettings& settings, const OutputSettings& output,
               const BlockSettings& block = BlockSettings{});

    // For transition tiles, before the first: the tileset files say the terrains of each tile,
    // and the map preview paints its map with them by their corners.
    void SetTerrains(TerrainSet terrains) { mTerrains = std::move(terrains); }

    // Takes one finished tile that the tile commands would write as the BMP file bmpName.
    void Take(TBitmap& tile, const std::string& bmpName);
    // Where a tile of that BMP name goes: the name in the run's format, or the sheet.
    std::string Destination(const std::string& bmpName) const;
    // Writes the sheet, then the tileset files, then the preview, from the tiles taken; nothing
    // when no tile was taken.
    void Finish();

private:
    bool KeepsImages() const;
    // Whether each tile is turned into a picture with transparency: for PNG files or to keep.
    bool MakesImages() const;
    SheetLayout Layout() const;
    void WriteSheet() const;
    void WriteTileset() const;
    void WriteGodotTilesets() const;

    const TTileSettings& mSettings;
    const OutputSettings& mOutput;
    const TileGeometry mGeometry;     // of every tile of the run
    Coverage mCoverage;               // when images are needed
    std::vector<RgbaImage> mImages;   // for the sheet and the preview
    std::vector<std::string> mFiles;  // the tile files written, for the tileset
    std::optional<TerrainSet> mTerrains;
};

}  // namespace mosaren
