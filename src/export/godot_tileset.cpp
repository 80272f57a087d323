#include "godot_tileset.h"

#include "godot_project.h"
#include "raster/exceptions.h"
#include "raster/file_replacement.h"

namespace mosaren {

std::int32_t GodotTileset::PictureLeft(std::int32_t k) const {
    return margin + k % columns * (pictureWidth + spacing);
}

std::int32_t GodotTileset::PictureTop(std::int32_t k) const {
    return margin + k / columns * (pictureHeight + spacing);
}

GodotTileset SheetGodotTileset(const std::string& sheet, const SheetLayout& layout,
                               std::size_t count, std::int32_t tileWidth, std::int32_t tileHeight) {
    GodotTileset tileset;
    tileset.sheet = sheet;
    tileset.sheetWidth = static_cast<std::int32_t>(layout.Width());
    tileset.sheetHeight = static_cast<std::int32_t>(layout.Height());
    tileset.margin = layout.margin;
    tileset.spacing = layout.spacing;
    tileset.columns = layout.columns;
    tileset.tileCount = static_cast<std::int32_t>(count);
    tileset.tileWidth = tileWidth;
    tileset.tileHeight = tileHeight;
    tileset.pictureWidth = layout.tileWidth;
    tileset.pictureHeight = layout.tileHeight;
    return tileset;
}

void WriteGodotTileset(GodotTileset tileset, GodotVersion version, const std::string& fileName,
                       const std::string& projectFolder) {
    const auto path = GodotResourcePath(tileset.sheet, projectFolder);
    if (!path) {
        throw EInvalidOperation(
            "The sheet " + tileset.sheet + " lies outside the Godot project folder " +
            (projectFolder.empty() ? "." : projectFolder) + ", so a Godot resource cannot name it");
    }
    RequireGodotReadsAsWritten(*path);
    tileset.sheet = *path;
    const std::string text =
        version == GodotVersion::Godot4 ? Godot4TilesetText(tileset) : Godot3TilesetText(tileset);
    ReplaceFileWithBytes(fileName, text.data(), text.size());
}

}  // namespace mosaren
