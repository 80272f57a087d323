#pragma once

// Starter scenes for Godot 4 and Godot 3: a TileMap of the run's tile set with the cells of the
// preview's map, ready to open, and the import settings that keep Godot 3 from blurring the
// sheet's diamonds into the background around them.
//
// The tile set resource already says how a tile stands on its cell (Godot 4's texture origin,
// Godot 3's texture offset); the scene sets what the TileMap itself holds. Godot 4 takes the
// cell's shape and size from the tile set and filters in the node, so its TileMap draws
// nearest-neighbour; a Godot 3 TileMap is told its mode and cell size, and Godot 3 filters at
// import, so the sheet's import file switches filtering off.

#include <string>

#include "godot_tileset.h"
#include "run_tileset.h"

namespace mosaren {

// The scene's text, its TileMap named nodeName and using the tile set at tilesetPath (res://).
std::string GodotSceneText(const RunTileset& run, GodotVersion version,
                           const std::string& tilesetPath, const std::string& nodeName);

// Writes the scene to fileName, the tile set tilesetFile named by its res:// path in the
// project whose folder is projectFolder. Raises EInvalidOperation when the tile set lies outside
// that folder. Replaced only once complete, as tiles are.
void WriteGodotScene(const RunTileset& run, GodotVersion version, const std::string& fileName,
                     const std::string& tilesetFile, const std::string& projectFolder);

// Godot 3's import settings of a sheet: the texture importer, filtering off. Godot keeps the
// parameters it finds and fills in the rest when it imports the picture.
std::string Godot3ImportText();
// The file Godot 3 reads them from: beside the sheet, its name and ".import".
std::string GodotImportFile(const std::string& sheet);
// Writes them for sheet where no import file is yet (the user's own settings are kept); whether
// it wrote one.
bool WriteGodot3ImportSettings(const std::string& sheet);

}  // namespace mosaren
