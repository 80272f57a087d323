#pragma once

// Tiled tileset files (TSX) for what a run wrote: either a tileset of one sheet image or an
// image collection with one image per tile file. Both declare the isometric grid of the tiles,
// so that Tiled draws terrain and collision overlays as diamonds; a block's grid is its
// footprint, and Tiled draws the taller picture bottom-aligned on it.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "tiling/tile_geometry.h"

namespace mosaren {

struct TsxImage {
    std::string source;  // as written in the file
    std::int32_t width = 0;
    std::int32_t height = 0;
};

struct TsxTileset {
    std::string name;
    // The tiles' pictures (tilewidth, tileheight) and the map cell they stand on (the isometric
    // grid): the same for flat tiles, the picture taller by the rise for blocks.
    TileGeometry geometry;
    std::int32_t tileCount = 0;
    std::int32_t columns = 0;  // 0 for an image collection, as Tiled writes it
    std::int32_t margin = 0;
    std::int32_t spacing = 0;
    // The colour Tiled treats as transparent, "rrggbb" in hex; empty for images with alpha.
    std::string transparentColour;
    std::optional<TsxImage> sheet;  // a sheet tileset's one image
    std::vector<TsxImage> tiles;    // otherwise the image of tile id 0, 1, ...
};

// The XML of the tileset, sources as they stand. Raises EInvalidOperation naming a text that
// XML cannot carry: a file name that is not UTF-8 or that holds a control character.
std::string TsxText(const TsxTileset& tileset);

// The way from folder to file as a relative path with "/" between the parts, both taken as the
// system resolves them (a folder reached through a link counts where the link leads).
std::string RelativePath(const std::string& file, const std::string& folder);

// Writes the tileset to fileName, its image sources (files as the program wrote them, relative
// to the working folder or absolute) made relative to the TSX file's folder, where Tiled looks
// for them. Replaced only once complete, as tiles are.
void WriteTsxFile(TsxTileset tileset, const std::string& fileName);

// "rrggbb" for a colour.
std::string HexColour(std::uint8_t red, std::uint8_t green, std::uint8_t blue);

}  // namespace mosaren
