#include "run_outputs.h"

#include <filesystem>
#include <utility>

#include "bmp_output.h"
#include "godot_project.h"
#include "godot_tileset.h"
#include "map_preview.h"
#include "png_output.h"
#include "raster/bmp_writer.h"
#include "terrain_map.h"
#include "tile_image.h"
#include "tile_sheet.h"
#include "tiling/block_layout.h"
#include "tsx_writer.h"

namespace mosaren {

RunOutputs::RunOutputs(const TTileSettings& settings, const OutputSettings& output,
                       const BlockSettings& block)
    : mSettings(settings), mOutput(output), mGeometry(GeometryOf(settings, block)) {
    if (!MakesImages()) return;
    mCoverage = TileCoverage(mSettings);
    if (block.MakesBlocks()) mCoverage = BlockCoverage(mGeometry, mCoverage, block);
}

bool RunOutputs::MakesImages() const { return mOutput.format == ImageFormat::Png || KeepsImages(); }

bool RunOutputs::KeepsImages() const {
    return !mOutput.sheet.empty() || !mOutput.mapPreview.empty();
}

std::string RunOutputs::Destination(const std::string& bmpName) const {
    if (!mOutput.sheet.empty()) return mOutput.sheet;
    return mOutput.format == ImageFormat::Png ? PngTileName(bmpName) : bmpName;
}

void RunOutputs::Take(TBitmap& tile, const std::string& bmpName) {
    const bool png = mOutput.format == ImageFormat::Png;
    RgbaImage image;
    if (MakesImages()) image = TileImage(tile, mCoverage);
    if (mOutput.sheet.empty()) {
        const std::string file = Destination(bmpName);
        if (png) {
            WritePngFile(image, file);
        } else {
            WriteBmpFile(tile, file);  // exactly as the tile commands write it
        }
        mFiles.push_back(file);
    }
    if (KeepsImages()) mImages.push_back(std::move(image));
}

void RunOutputs::Finish() {
    if (mImages.empty() && mFiles.empty()) return;
    if (!mOutput.sheet.empty()) WriteSheet();
    if (!mOutput.tsx.empty()) WriteTileset();
    if (!mOutput.godot.empty() || !mOutput.godot3.empty()) WriteGodotTilesets();
    if (!mOutput.mapPreview.empty()) {
        const std::int32_t cellHeight = mGeometry.footprintHeight;
        WritePngFile(mTerrains ? DrawMapPreview(mImages, cellHeight, TerrainMapCells(*mTerrains))
                               : DrawMapPreview(mImages, cellHeight),
                     mOutput.mapPreview);
    }
}

SheetLayout RunOutputs::Layout() const {
    return LayOutSheet(mImages.size(), mGeometry.width, mGeometry.PictureHeight(), mOutput.columns,
                       mOutput.margin, mOutput.spacing);
}

void RunOutputs::WriteSheet() const {
    const RgbaImage sheet = ComposeSheet(mImages, Layout(), mOutput.extrude);
    if (mOutput.format == ImageFormat::Png) {
        WritePngFile(sheet, mOutput.sheet);
    } else {
        WriteBmpImage(sheet, mSettings, mOutput.sheet);
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
        tileset.tileCount = static_cast<std::int32_t>(mImages.size());
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

void RunOutputs::WriteGodotTilesets() const {
    GodotTileset tileset = SheetGodotTileset(mOutput.sheet, Layout(), mImages.size(),
                                             mGeometry.width, mGeometry.footprintHeight);
    tileset.terrains = mTerrains;
    for (const auto& [file, version] : {std::pair{mOutput.godot, GodotVersion::Godot4},
                                        std::pair{mOutput.godot3, GodotVersion::Godot3}}) {
        if (file.empty()) continue;
        WriteGodotTileset(tileset, version, file, GodotProjectFolder(file, mOutput.godotRoot));
    }
}

}  // namespace mosaren
