#include "run_outputs.h"

#include <algorithm>
#include <filesystem>
#include <utility>

#include "bmp_output.h"
#include "godot_project.h"
#include "godot_tileset.h"
#include "map_preview.h"
#include "png_output.h"
#include "raster/bmp_writer.h"
#include "raster/byte_stream.h"
#include "raster/colour.h"
#include "terrain_map.h"
#include "tile_image.h"
#include "tile_spill.h"
#include "tiling/block_layout.h"
#include "tsx_writer.h"

namespace mosaren {

namespace {

// A group of tile files goes in place once it holds this many, or once its first has waited
// this long: one flush of the disk serves many tiles, and none waits long to be told.
constexpr std::size_t kGroupFiles = 16;
constexpr auto kGroupWait = std::chrono::milliseconds(500);

// The preview draws this many cells; a run of more tiles shows only its first ones.
constexpr std::size_t kShownTiles = static_cast<std::size_t>(kMapSide) * kMapSide;

}  // namespace

std::string TileDestination(const OutputSettings& output, const std::string& bmpName) {
    return output.format == ImageFormat::Png ? PngTileName(bmpName) : bmpName;
}

RunOutputs::RunOutputs(const TTileSettings& settings, const OutputSettings& output,
                       const BlockSettings& block)
    : mSettings(settings), mOutput(output), mGeometry(GeometryOf(settings, block)), mStaged(true) {
    if (!mOutput.sheet.empty()) mSheetTiles = std::make_unique<TileSpill>(mOutput.sheet);
    if (!MakesImages()) return;
    mCoverage = TileCoverage(mSettings);
    if (block.MakesBlocks()) mCoverage = BlockCoverage(mGeometry, mCoverage, block);
}

RunOutputs::~RunOutputs() = default;

bool RunOutputs::MakesImages() const { return mOutput.format == ImageFormat::Png || KeepsImages(); }

bool RunOutputs::KeepsImages() const {
    return !mOutput.sheet.empty() || !mOutput.mapPreview.empty();
}

std::string RunOutputs::Destination(const std::string& bmpName) const {
    if (!mOutput.sheet.empty()) return mOutput.sheet;
    return TileDestination(mOutput, bmpName);
}

RunOutputs::PreparedTile RunOutputs::Prepare(const DevicePicture& tile,
                                             std::span<const std::uint8_t> alpha,
                                             const std::string& bmpName) const {
    PreparedTile prepared;
    prepared.destination = Destination(bmpName);
    if (MakesImages()) prepared.image = TileImage(tile, mCoverage, alpha);
    if (mOutput.sheet.empty()) {
        if (mOutput.format == ImageFormat::Png) {
            prepared.file = EncodePng(prepared.image);
        } else {
            // Exactly as the tile commands write it.
            MemoryOutputStream bytes;
            WriteBmp(alpha.empty() ? tile : MaskTranslucent(tile, alpha, mSettings), bytes);
            prepared.file = bytes.Bytes();
        }
    }
    return prepared;
}

RunOutputs::PreparedTile RunOutputs::Prepare(const TilePixels& tile,
                                             const std::string& bmpName) const {
    PreparedTile prepared;
    prepared.destination = Destination(bmpName);
    if (MakesImages()) {
        prepared.image = mOutput.format == ImageFormat::Png ? TileImage(tile)
                                                            : BmpTileImage(tile, mOutput.bmpDepth);
    }
    if (mOutput.sheet.empty()) {
        prepared.file = mOutput.format == ImageFormat::Png
                            ? EncodePng(prepared.image)
                            : BmpTileFile(tile, mOutput.bmpDepth,
                                          Rgb(mSettings.MaskR, mSettings.MaskG, mSettings.MaskB));
    }
    return prepared;
}

bool RunOutputs::Take(PreparedTile tile, Placed placed) {
    if (!tile.file) {
        // The sheet's: in its place now.
        mSheetTiles->Append(tile.image);
        Keep(std::string(), std::move(tile.image));
        return placed(nullptr);
    }
    const std::vector<std::uint8_t>& bytes = *tile.file;
    try {
        mStaged.Add(StagedFile(
            tile.destination,
            [&bytes](OutputStream& stream) { WriteWhole(stream, bytes.data(), bytes.size()); },
            &mStaged.Spares()));
    } catch (...) {
        const std::exception_ptr failure = std::current_exception();
        return Commit() && placed(failure);
    }
    if (mWaiting.empty()) mFirstWaiting = std::chrono::steady_clock::now();
    mWaiting.push_back(Waiting{std::move(placed), std::move(tile.destination),
                               KeepsImages() ? std::move(tile.image) : RgbaImage()});
    if (mWaiting.size() >= kGroupFiles || std::chrono::steady_clock::now() >= CommitDue()) {
        return Commit();
    }
    return true;
}

std::chrono::steady_clock::time_point RunOutputs::CommitDue() const {
    if (mWaiting.empty()) return std::chrono::steady_clock::time_point::max();
    return mFirstWaiting + kGroupWait;
}

bool RunOutputs::Commit() {
    std::vector<Waiting> waiting = std::exchange(mWaiting, {});
    return mStaged.PutInPlace([&](std::size_t i, std::exception_ptr failure) {
        if (!failure) Keep(waiting[i].destination, std::move(waiting[i].image));
        return waiting[i].placed(failure);
    });
}

void RunOutputs::Keep(const std::string& file, RgbaImage image) {
    if (mOutput.sheet.empty() && !mOutput.tsx.empty()) mFiles.push_back(file);
    if (!mOutput.mapPreview.empty() && Shows(mTiles)) mShown.push_back(std::move(image));
    ++mTiles;
}

void RunOutputs::Put(const TileWithAlpha& tile, const std::string& bmpName) {
    PutPrepared([&] { return Prepare(tile.picture, tile.alpha, bmpName); });
}

void RunOutputs::Put(const TilePixels& tile, const std::string& bmpName) {
    PutPrepared([&] { return Prepare(tile, bmpName); });
}

void RunOutputs::PutPrepared(const std::function<PreparedTile()>& prepare) {
    const Placed stopAtFailure = [this](std::exception_ptr failure) {
        mPutFailure = failure;
        return !failure;
    };
    PreparedTile prepared;
    try {
        prepared = prepare();
    } catch (...) {
        // The tiles before it stay written, as they would had each been written at once.
        const std::exception_ptr failure = std::current_exception();
        if (!Commit()) std::rethrow_exception(mPutFailure);
        std::rethrow_exception(failure);
    }
    if (!Take(std::move(prepared), stopAtFailure)) std::rethrow_exception(mPutFailure);
}

void RunOutputs::Take(TBitmap& tile, const std::string& bmpName) { Put(SectionCopy(tile), bmpName); }

void RunOutputs::Finish(const Written& written) {
    if (Pending() && !Commit()) {
        if (mPutFailure) std::rethrow_exception(mPutFailure);
        return;
    }
    if (mTiles == 0) return;
    std::vector<std::pair<std::string, std::function<void()>>> steps;
    if (!mOutput.sheet.empty()) steps.emplace_back(mOutput.sheet, [this] { WriteSheet(); });
    if (!mOutput.tsx.empty()) steps.emplace_back(mOutput.tsx, [this] { WriteTileset(); });
    for (const auto& [file, version] : {std::pair{mOutput.godot, GodotVersion::Godot4},
                                        std::pair{mOutput.godot3, GodotVersion::Godot3}}) {
        if (!file.empty()) steps.emplace_back(file, [this, file, version] { WriteGodotTileset(file, version); });
    }
    if (!mOutput.mapPreview.empty()) steps.emplace_back(mOutput.mapPreview, [this] { WritePreview(); });
    for (std::size_t i = 0; i < steps.size(); ++i) {
        try {
            steps[i].second();
        } catch (const Exception& failure) {
            // The failure names its own file; the user learns what else is missing.
            std::string rest;
            for (std::size_t j = i + 1; j < steps.size(); ++j) rest += (rest.empty() ? "" : ", ") + steps[j].first;
            if (rest.empty()) throw;
            throw Exception(failure.Message() + "; not written either: " + rest);
        }
        if (written) written(steps[i].first);
    }
}

SheetLayout RunOutputs::Layout() const {
    return LayOutSheet(mTiles, mGeometry.width, mGeometry.PictureHeight(), mOutput.columns,
                       mOutput.margin, mOutput.spacing);
}

void RunOutputs::WriteSheet() const {
    const SheetLayout layout = Layout();
    CheckSheetSize(layout);
    // The tiles of one cell row are read back at a time; the sheet is written row by row.
    std::vector<RgbaImage> cellRow;
    std::size_t cellRowFirst = 0;
    const SheetRows rows(layout, mOutput.extrude, mTiles, [&](std::size_t k) -> const RgbaImage& {
        const std::size_t first = k - k % static_cast<std::size_t>(layout.columns);
        if (cellRow.empty() || first != cellRowFirst) {
            cellRow.clear();
            for (std::size_t i = first; i < std::min(mTiles, first + layout.columns); ++i) {
                cellRow.push_back(mSheetTiles->Read(i));
            }
            cellRowFirst = first;
        }
        return cellRow[k - first];
    });
    const auto width = static_cast<std::int32_t>(layout.Width());
    const auto height = static_cast<std::int32_t>(layout.Height());
    if (mOutput.format == ImageFormat::Png) {
        ReplaceFileWith(mOutput.sheet, [&](OutputStream& stream) {
            PngRowWriter png(stream, width, height);
            std::vector<Rgba> row(static_cast<std::size_t>(width));
            for (std::int32_t y = 0; y < height; ++y) {
                rows.Row(y, row);
                png.WriteRow(row.data());
            }
            png.Finish();
        });
    } else {
        ReplaceFileWith(mOutput.sheet, [&](OutputStream& stream) {
            WriteBmpRows(stream, width, height, mSettings,
                         [&rows](std::int32_t y, std::span<Rgba> row) { rows.Row(y, row); });
        });
    }
}

void RunOutputs::WriteTileset() const {
    TsxTileset tileset;
    tileset.name = std::filesystem::path(mOutput.tsx).stem().string();
    tileset.geometry = mGeometry;
    if (mOutput.format == ImageFormat::Bmp) {
        tileset.transparentColour = HexColour(mSettings.MaskR, mSettings.MaskG, mSettings.MaskB);
    }
    if (!mOutput.sheet.empty()) {
        const SheetLayout layout = Layout();
        tileset.tileCount = static_cast<std::int32_t>(mTiles);
        tileset.columns = layout.columns;
        tileset.margin = layout.margin;
        tileset.spacing = layout.spacing;
        tileset.sheet = TsxImage{mOutput.sheet, static_cast<std::int32_t>(layout.Width()),
                                 static_cast<std::int32_t>(layout.Height())};
    } else {
        tileset.tileCount = static_cast<std::int32_t>(mFiles.size());
        for (const std::string& file : mFiles) {
            tileset.tiles.push_back(TsxImage{file, mGeometry.width, mGeometry.PictureHeight()});
        }
    }
    tileset.terrains = mTerrains;
    WriteTsxFile(std::move(tileset), mOutput.tsx);
}

void RunOutputs::WriteGodotTileset(const std::string& file, GodotVersion version) const {
    GodotTileset tileset = SheetGodotTileset(mOutput.sheet, Layout(), mTiles,
                                             mGeometry.width, mGeometry.footprintHeight);
    tileset.terrains = mTerrains;
    mosaren::WriteGodotTileset(tileset, version, file, GodotProjectFolder(file, mOutput.godotRoot));
}

bool RunOutputs::Shows(std::size_t tile) const {
    if (mPreviewCells.empty()) return tile < kShownTiles;
    return std::find(mPreviewCells.begin(), mPreviewCells.end(), tile) != mPreviewCells.end();
}

void RunOutputs::WritePreview() const {
    // The map repeats the tiles in order over its cells; with more tiles than cells, each cell
    // shows the tile of its own number, so the first ones are all it needs.
    // Transition tiles are painted by their corners instead, all of them in view.
    const std::int32_t cellHeight = mGeometry.footprintHeight;
    RgbaImage map;
    if (mTerrains) {
        map = DrawMapPreview(mShown, cellHeight, TerrainMapCells(*mTerrains));
    } else if (!mPreviewCells.empty()) {
        // The tiles were kept in the order they came: a cell's tile is the how-manieth of the
        // numbers the cells name.
        std::vector<std::size_t> kept = mPreviewCells;
        std::sort(kept.begin(), kept.end());
        kept.erase(std::unique(kept.begin(), kept.end()), kept.end());
        std::vector<std::size_t> cells;
        for (const std::size_t tile : mPreviewCells) {
            cells.push_back(static_cast<std::size_t>(std::lower_bound(kept.begin(), kept.end(), tile) - kept.begin()));
        }
        map = DrawMapPreview(mShown, cellHeight, cells);
    } else {
        map = DrawMapPreview(mShown, cellHeight);
    }
    WritePngFile(map, mOutput.mapPreview);
}

}  // namespace mosaren
