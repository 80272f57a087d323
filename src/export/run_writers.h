#pragma once

// The files a run writes once its tiles are in place: the sheet, the Tiled tileset, the Godot
// tile sets, the starter maps and the map preview (see run_files.h). Each tile is kept here as
// it goes in place (for the sheet, the tileset's list of files, the preview); at the end the run
// is described once (RunTileset) and every file written from that description.

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "output_settings.h"
#include "rgba_image.h"
#include "run_tileset.h"
#include "terrain_set.h"
#include "tiling/tile_geometry.h"
#include "tiling/tile_settings.h"

namespace mosaren {

class TileSpill;

class RunWriters {
public:
    // Both are read as the run goes and must outlive it.
    RunWriters(const TTileSettings& settings, const OutputSettings& output, TileGeometry geometry);
    ~RunWriters();
    RunWriters(const RunWriters&) = delete;
    RunWriters& operator=(const RunWriters&) = delete;

    // Transition tiles: the preview and the starter maps paint their cells by the corners.
    void SetTerrains(TerrainSet terrains);
    // Other tiles laid out as they join (the pieces of a texture).
    void SetPreviewCells(std::vector<std::size_t> cells) { mPreviewCells = std::move(cells); }

    // Whether the tiles' pictures are kept: for the sheet or the preview.
    bool KeepsImages() const;
    // The next tile is in its place: file (empty for the sheet's tile) and its picture, when
    // KeepsImages.
    void Keep(const std::string& file, RgbaImage image);
    std::size_t Tiles() const { return mTiles; }

    // The run as every writer reads it.
    RunTileset Describe() const;

    using Written = std::function<void(const std::string& file)>;
    // Writes every file of the run in order, telling written of each; nothing when no tile was
    // kept. The failure of one ends with "; not written either: " and the files after it.
    void Write(const Written& written) const;

    // The writers of the outputs that draw on the tiles kept here (see OutputKinds()).
    const OutputSettings& Output() const { return mOutput; }
    void WriteSheet(const RunTileset& run) const;
    void WriteTileset(const RunTileset& run) const;
    void WritePreview(const RunTileset& run) const;

private:
    // Whether the preview shows the tile of that number.
    bool Shows(std::size_t tile) const;

    const TTileSettings& mSettings;
    const OutputSettings& mOutput;
    const TileGeometry mGeometry;
    std::unique_ptr<TileSpill> mSheetTiles;
    std::vector<RgbaImage> mShown;  // the tiles the preview shows, in the order they came
    std::vector<std::size_t> mPreviewCells;
    std::size_t mTiles = 0;
    std::vector<std::string> mFiles;  // the tile files written, for a tileset
    std::optional<TerrainSet> mTerrains;
};

}  // namespace mosaren
