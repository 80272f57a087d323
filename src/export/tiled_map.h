#pragma once

// Starter maps for Tiled and for engines that read Tiled's JSON: the preview's map of the run's
// tiles, ready to open. A TMX map refers to the run's TSX tileset; a TMJ map embeds its tileset
// of the sheet, as web engines (Phaser and others) want it.
//
// Tiled draws a picture taller than its cell bottom-aligned on the cell, exactly as the map
// preview stands a block on its footprint, so a TMX map needs no offset. Readers of Tiled JSON
// such as Phaser draw it top-aligned instead, a block's height too low, so a TMJ map raises its
// layer by that height.

#include <string>

#include "run_tileset.h"

namespace mosaren {

// The TMX text of the map, naming the tileset by tsxSource as it stands and its layer layerName.
std::string TmxMapText(const RunTileset& run, const std::string& tsxSource,
                       const std::string& layerName);
// The TMJ text of the map, its tileset's image by sheetSource as it stands. The run must have a
// sheet.
std::string TmjMapText(const RunTileset& run, const std::string& sheetSource,
                       const std::string& layerName);

// Writes the map to fileName, a TMX map (referring to tsxFile, the run's tileset as the program
// wrote it) or a TMJ map as json says; the sources relative to the map's folder. Replaced only once complete, as tiles are. Raises EInvalidOperation for a name that
// the file cannot carry, as the tileset writer does.
void WriteTiledMap(const RunTileset& run, bool json, const std::string& fileName,
                   const std::string& tsxFile);

}  // namespace mosaren
