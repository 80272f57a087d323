#pragma once

// Where the tiles of one run go. A front end hands over each finished tile under the BMP name
// the tile commands give it; this writes it in the chosen format, or keeps it for the sheet, and
// once the run is over has RunWriters write the sheet, the tileset files, the maps and the map
// preview.
//
// A tile becomes what the run keeps of it (Prepare) wherever it was made, on any thread: the
// bytes of its file, and its picture for the sheet and the preview. The tiles are then taken in
// the run's order (Take): each file is written beside its destination, and the files go in place
// a group at a time, flushed to the disk together and renamed in order (StagedFiles), each told
// to the front end only once it is in place. Nothing the run keeps grows with the number of its
// tiles, but for the tileset's list of files: the sheet's tiles wait in memory up to a bound and
// beyond it in a file of their own (TileSpill), and the preview keeps the tiles it shows.

#include <chrono>
#include <exception>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "godot_tileset.h"
#include "output_settings.h"
#include "raster/file_replacement.h"
#include "rgba_image.h"
#include "run_writers.h"
#include "terrain_set.h"
#include "tile_sheet.h"
#include "tiling/block_settings.h"
#include "tiling/tile_geometry.h"
#include "tiling/tile_pixels.h"
#include "tiling/tile_settings.h"

namespace mosaren {


// Where a run of these settings writes a tile of that BMP name, when it writes tile files (no
// sheet): the name in the run's format.
std::string TileDestination(const OutputSettings& output, const std::string& bmpName);

class RunOutputs {
public:
    // Both are read as the run goes and must outlive it; the tiles are made with settings and,
    // when block makes blocks, are blocks of that height and those faces.
    RunOutputs(const TTileSettings& settings, const OutputSettings& output,
               const BlockSettings& block = BlockSettings{});
    // Files of tiles taken but not yet in place are removed: a run that stops puts nothing in
    // place after the failure it stops at.
    ~RunOutputs();
    RunOutputs(const RunOutputs&) = delete;
    RunOutputs& operator=(const RunOutputs&) = delete;

    // For transition tiles, before the first: the tileset files say the terrains of each tile,
    // and the map preview paints its map with them by their corners.
    void SetTerrains(TerrainSet terrains) { mWriters.SetTerrains(std::move(terrains)); }
    // Before the first tile: the tile each cell of the map preview shows (cells[6 r + c], as
    // DrawMapPreview takes them), instead of the tiles in order.
    void SetPreviewCells(std::vector<std::size_t> cells) { mWriters.SetPreviewCells(std::move(cells)); }

    // What the run keeps of one tile until it is taken.
    struct PreparedTile {
        std::string destination;
        std::optional<std::vector<std::uint8_t>> file;  // the tile file's bytes; none for a sheet
        RgbaImage image;                                // for the sheet and the preview
    };
    // Turns one finished tile, which the tile commands would write as the BMP file bmpName, into
    // what the run keeps of it: a BMP file at the run's depth (OutputSettings::bmpDepth) with
    // the mask where the tile does not show, or a PNG file or sheet with each pixel's opacity.
    // Touches no file, so it may run on any thread while tiles are taken on another.
    PreparedTile Prepare(const TilePixels& tile, const std::string& bmpName) const;

    // Told once a taken tile is where it goes (failure null), or why it could not be put there;
    // returning false stops the run: no tile taken after it goes in place.
    using Placed = std::function<bool(std::exception_ptr failure)>;
    // Takes the next tile of the run. Its file is written beside its destination and goes in
    // place with those of others (the group is put in place when it is full or has waited long
    // enough, or on Commit); a file that cannot be written is told after the tiles before it are
    // in place. A tile for the sheet is where it goes at once. Returns false when a Placed
    // stopped the run.
    bool Take(PreparedTile tile, Placed placed);
    // Puts the files of every tile taken so far in place, telling each Placed. Returns false
    // when one stopped the run.
    bool Commit();
    // Whether tiles taken wait to go in place, and when they should at the latest, so that on a
    // slow run each tile is told soon after it was made.
    bool Pending() const { return mStaged.Count() > 0; }
    std::chrono::steady_clock::time_point CommitDue() const;

    // Takes a tile and raises its failure, after putting in place the tiles taken before it.
    void Put(const TilePixels& tile, const std::string& bmpName);

    // Where a tile of that BMP name goes: the name in the run's format, or the sheet.
    std::string Destination(const std::string& bmpName) const;
    // Told of each of the sheet, the tileset files, the maps and the preview once it is in place.
    using Written = RunWriters::Written;
    // Puts the last tiles in place, then writes the sheet, the tileset files, the maps and the
    // preview from the tiles taken (RunWriters), telling written of each; nothing of these when
    // no tile was taken. Raises a tile's failure as Put; the failure of one of these ends with
    // "; not written either: " and the files after it, when there are any.
    void Finish(const Written& written = {});

private:
    // A tile whose file waits in the group, with what is done once it is in place.
    struct Waiting {
        Placed placed;
        std::string destination;
        RgbaImage image;
    };

    bool KeepsImages() const { return mWriters.KeepsImages(); }
    // Whether each tile is turned into a picture with transparency: for PNG files or to keep.
    bool MakesImages() const;

    const TTileSettings& mSettings;
    const OutputSettings& mOutput;
    const TileGeometry mGeometry;  // of every tile of the run
    StagedFiles mStaged;
    std::vector<Waiting> mWaiting;  // one for each file in mStaged
    std::chrono::steady_clock::time_point mFirstWaiting;
    std::exception_ptr mPutFailure;
    RunWriters mWriters;
};

}  // namespace mosaren
