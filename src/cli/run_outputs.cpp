#include "run_outputs.h"

#include <filesystem>
#include <utility>

#include "bmp_output.h"
#include "map_preview.h"
#include "png_output.h"
#include "raster/bmp_writer.h"
#include "tile_sheet.h"
#include "tsx_writer.h"

namespace mosaren::cli {

RunOutputs::RunOutputs(const CliOptions& options) : mOptions(options) {
    if (MakesImages()) mCoverage = TileCoverage(mOptions.settings);
}

bool RunOutputs::MakesImages() const {
    return mOptions.output.format == ImageFormat::Png || KeepsImages();
}

bool RunOutputs::KeepsImages() const {
    return !mOptions.output.sheet.empty() || !mOptions.output.mapPreview.empty();
}

std::string RunOutputs::Destination(const std::string& bmpName) const {
    const OutputOptions& output = mOptions.output;
    if (!output.sheet.empty()) return output.sheet;
    return output.format == ImageFormat::Png ? PngTileName(bmpName) : bmpName;
}

void RunOutputs::Take(TBitmap& tile, const std::string& bmpName) {
    const bool png = mOptions.output.format == ImageFormat::Png;
    RgbaImage image;
    if (MakesImages()) image = TileImage(tile, mCoverage);
    if (mOptions.output.sheet.empty()) {
        const std::string file = Destination(bmpName);
        if (png) {
            WritePngFile(image, file);
        } else {
            WriteBmpFile(tile, file);  // exactly as the core writes it
        }
        mFiles.push_back(file);
    }
    if (KeepsImages()) mImages.push_back(std::move(image));
}

void RunOutputs::Finish() {
    if (mImages.empty() && mFiles.empty()) return;
    const OutputOptions& output = mOptions.output;
    if (!output.sheet.empty()) WriteSheet();
    if (!output.tsx.empty()) WriteTileset();
    if (!output.mapPreview.empty()) WritePngFile(DrawMapPreview(mImages), output.mapPreview);
}

SheetLayout RunOutputs::Layout() const {
    const OutputOptions& output = mOptions.output;
    return LayOutSheet(mImages.size(), mOptions.settings.TileWidth, mOptions.settings.TileHeight,
                       output.columns, output.margin, output.spacing);
}

void RunOutputs::WriteSheet() const {
    const OutputOptions& output = mOptions.output;
    const RgbaImage sheet = ComposeSheet(mImages, Layout(), output.extrude);
    if (output.format == ImageFormat::Png) {
        WritePngFile(sheet, output.sheet);
    } else {
        WriteBmpImage(sheet, mOptions.settings, output.sheet);
    }
}

void RunOutputs::WriteTileset() const {
    const OutputOptions& output = mOptions.output;
    const TTileSettings& settings = mOptions.settings;
    TsxTileset tileset;
    tileset.name = std::filesystem::path(output.tsx).stem().string();
    tileset.tileWidth = settings.TileWidth;
    tileset.tileHeight = settings.TileHeight;
    if (output.format == ImageFormat::Bmp) {
        tileset.transparentColour = HexColour(settings.MaskR, settings.MaskG, settings.MaskB);
    }
    if (!output.sheet.empty()) {
        const SheetLayout layout = Layout();
        tileset.tileCount = static_cast<std::int32_t>(mImages.size());
        tileset.columns = layout.columns;
        tileset.margin = layout.margin;
        tileset.spacing = layout.spacing;
        tileset.sheet = TsxImage{output.sheet, static_cast<std::int32_t>(layout.Width()),
                                 static_cast<std::int32_t>(layout.Height())};
    } else {
        tileset.tileCount = static_cast<std::int32_t>(mFiles.size());
        for (const std::string& file : mFiles) {
            tileset.tiles.push_back(TsxImage{file, settings.TileWidth, settings.TileHeight});
        }
    }
    WriteTsxFile(std::move(tileset), output.tsx);
}

}  // namespace mosaren::cli
