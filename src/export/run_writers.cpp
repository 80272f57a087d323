#include "run_writers.h"

#include <algorithm>
#include <filesystem>
#include <utility>

#include "bmp_output.h"
#include "godot_scene.h"
#include "map_preview.h"
#include "png_output.h"
#include "raster/exceptions.h"
#include "raster/file_replacement.h"
#include "run_files.h"
#include "terrain_map.h"
#include "tile_sheet.h"
#include "tile_spill.h"
#include "tsx_writer.h"

namespace mosaren {

namespace {

TsxTileset TsxOf(const RunTileset& run, const std::string& tsxFile) {
    TsxTileset tileset;
    tileset.name = std::filesystem::path(tsxFile).stem().string();
    tileset.geometry = run.geometry;
    tileset.transparentColour = run.transparentColour;
    if (run.HasSheet()) {
        // Readers count the cells of the picture's grid, empty ones of the last row too.
        tileset.tileCount = static_cast<std::int32_t>(run.SheetCells());
        tileset.columns = run.layout.columns;
        tileset.margin = run.layout.margin;
        tileset.spacing = run.layout.spacing;
        tileset.sheet = TsxImage{run.sheet, static_cast<std::int32_t>(run.layout.Width()),
                                 static_cast<std::int32_t>(run.layout.Height())};
    } else {
        tileset.tileCount = static_cast<std::int32_t>(run.files.size());
        for (const std::string& file : run.files) {
            tileset.tiles.push_back(TsxImage{file, run.geometry.width, run.geometry.PictureHeight()});
        }
    }
    tileset.terrains = run.terrains;
    return tileset;
}

}  // namespace

RunWriters::RunWriters(const TTileSettings& settings, const OutputSettings& output,
                       TileGeometry geometry)
    : mSettings(settings), mOutput(output), mGeometry(geometry) {
    if (!mOutput.sheet.empty()) mSheetTiles = std::make_unique<TileSpill>(mOutput.sheet);
}

RunWriters::~RunWriters() = default;

bool RunWriters::KeepsImages() const {
    return !mOutput.sheet.empty() || !mOutput.mapPreview.empty();
}

void RunWriters::Keep(const std::string& file, RgbaImage image) {
    if (mSheetTiles) {
        mSheetTiles->Append(image);
    } else if (!mOutput.tsx.empty()) {
        mFiles.push_back(file);
    }
    if (!mOutput.mapPreview.empty() && Shows(mTiles)) mShown.push_back(std::move(image));
    ++mTiles;
}

void RunWriters::SetTerrains(TerrainSet terrains) {
    mPreviewCells = TerrainMapCells(terrains);
    mTerrains = std::move(terrains);
}

bool RunWriters::Shows(std::size_t tile) const {
    // Cells chosen (pieces as they join, transition tiles by their corners) keep the tiles they
    // name.
    if (mPreviewCells.empty()) return tile < kPatchedTiles;
    return std::find(mPreviewCells.begin(), mPreviewCells.end(), tile) != mPreviewCells.end();
}

RunTileset RunWriters::Describe() const {
    RunTileset run;
    run.geometry = mGeometry;
    run.tileCount = mTiles;
    run.sheet = mOutput.sheet;
    run.layout = LayOutSheet(mTiles, mGeometry.width, mGeometry.PictureHeight(), mOutput.columns,
                             mOutput.margin, mOutput.spacing);
    run.files = mFiles;
    if (mOutput.format == ImageFormat::Bmp) {
        run.transparentColour = HexColour(mSettings.MaskR, mSettings.MaskG, mSettings.MaskB);
    }
    run.terrains = mTerrains;
    // The map shows the first tiles in patches, each beside itself and beside the others,
    // unless the tiles are transition tiles, painted by their corners, or pieces laid out as
    // they join.
    if (!mPreviewCells.empty()) {
        run.mapCells = mPreviewCells;
    } else {
        run.mapCells = PatchMapCells(mTiles);
    }
    return run;
}

void RunWriters::Write(const Written& written) const {
    if (mTiles == 0) return;
    const RunTileset run = Describe();
    std::vector<std::pair<std::string, std::function<void()>>> steps;
    for (const RunFile& file : RunFilesOf(mOutput)) {
        steps.emplace_back(file.file, [this, &run, file] { file.kind->write(*this, run, file); });
    }
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
    // Godot 3 filters an imported picture unless its import file says not to; a user's own
    // import file is left as it is.
    if (!mOutput.godot3.empty() && WriteGodot3ImportSettings(mOutput.sheet) && written) {
        written(GodotImportFile(mOutput.sheet));
    }
}

void RunWriters::WriteSheet(const RunTileset& run) const {
    const SheetLayout& layout = run.layout;
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
            WriteBmpRows(stream, width, height, mSettings, mOutput.bmpDepth,
                         [&rows](std::int32_t y, std::span<Rgba> row) { rows.Row(y, row); });
        });
    }
}

void RunWriters::WriteTileset(const RunTileset& run) const {
    WriteTsxFile(TsxOf(run, mOutput.tsx), mOutput.tsx);
}

void RunWriters::WritePreview(const RunTileset& run) const {
    // The tiles were kept in the order they came: with cells chosen, a cell's tile is the
    // how-manieth of the numbers the cells name; otherwise the first ones, by their numbers.
    std::vector<std::size_t> cells = run.mapCells;
    if (!mPreviewCells.empty()) {
        std::vector<std::size_t> kept = mPreviewCells;
        std::sort(kept.begin(), kept.end());
        kept.erase(std::unique(kept.begin(), kept.end()), kept.end());
        for (std::size_t& cell : cells) {
            cell = static_cast<std::size_t>(std::lower_bound(kept.begin(), kept.end(), cell) - kept.begin());
        }
    }
    WritePngFile(DrawMapPreview(mShown, mGeometry.footprintHeight, cells), mOutput.mapPreview);
}

}  // namespace mosaren
