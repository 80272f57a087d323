#pragma once

// Every file a run writes besides its tiles, named once: one row each in OutputKinds(), with the
// option that asks for it, its help, what its name and the rest of the run must be for it, and
// the files the settings name. The command line's options, their help and their checks, the
// checks before a run (names, collisions), the build's record of what a run wrote, the skipping
// of a run's own outputs among its textures and the writers all read these rows, so a new output
// is a row here and its writer.

#include <functional>
#include <span>
#include <string>
#include <vector>

#include "output_settings.h"

namespace mosaren {

enum class RunFileRole {
    Sheet,
    Tileset,        // Tiled's TSX
    GodotTileset,   // Godot 4's .tres
    Godot3Tileset,  // Godot 3's .tres
    Map,            // a starter map of the kind its settings say
    Preview,
};

struct OutputKind;
class RunWriters;
struct RunTileset;

struct RunFile {
    std::string option;  // "--tsx", as messages name it
    RunFileRole role;
    std::string file;
    MapKind mapKind = MapKind::Tmx;  // for a map
    const OutputKind* kind = nullptr;  // its row
};

// The run's separate tile files, asked for only by an output that names them.
using TileFiles = std::function<std::vector<std::string>()>;

// What one kind of output is. A check returns the message of a usage error, or nothing when
// the output can be written as asked.
struct OutputKind {
    const char* option;     // the long option's name, "tsx"
    const char* valueName;  // "FILE", as the help shows it
    const char* help;
    RunFileRole role;
    bool list = false;  // the value is a comma-separated list of names
    // The outputs are read in the order of their steps, then of the rows: a check reads the
    // settings of the outputs of lower steps. 0 is the sheet, which the front end reads with its
    // layout; before step 2 come the Godot project's folder.
    int step = 1;
    // Written after every other output: the preview draws the tiles the others describe.
    bool writtenLast = false;
    // The name as given, before any output folder joins it.
    std::string (*checkName)(const std::string& given) = nullptr;
    // Puts a name, joined with the output folder, into the settings.
    void (*store)(OutputSettings& output, const std::string& file) = nullptr;
    // The name in place, with every output of a lower step read.
    std::string (*check)(const OutputSettings& output, const std::string& file) = nullptr;
    // The files the settings ask of it.
    std::vector<RunFile> (*files)(const OutputSettings& output) = nullptr;
    // Before any work, the names the files written carry, with tileFiles the run's separate
    // tile files: raises EInvalidOperation, as the writer would, for one the file cannot hold.
    void (*checkCarriedNames)(const OutputSettings& output, const TileFiles& tileFiles) = nullptr;
    // Writes the file once the run's tiles are in place, as writers describes the run.
    void (*write)(const RunWriters& writers, const RunTileset& run, const RunFile& file) = nullptr;
};

// Every kind of output, in the order the help lists them.
std::span<const OutputKind> OutputKinds();

// The files the settings ask for, in the order the run writes them once its tiles are in place:
// the sheet first, since the others describe it, and the preview last.
std::vector<RunFile> RunFilesOf(const OutputSettings& output);

}  // namespace mosaren
