#include "output_collisions.h"

#include <map>
#include <string>
#include <vector>

#include "cli_options.h"
#include "export/run_files.h"
#include "export/run_outputs.h"
#include "out_dir.h"
#include "raster/file_identity.h"
#include "tiling/terrain_corners.h"
#include "tiling/tile_names.h"
#include "usage_error.h"

namespace mosaren::cli {

namespace {

struct RunFile {
    enum class Role { Texture, Tile, Output };
    Role role;
    std::string description;  // how the message names it
    std::string identity;  // the file the name shows now
    std::string place;     // where writing the name puts a file
    std::string texture;   // of a tile: its texture's identity
};

std::string Quoted(const std::string& name) { return "'" + name + "'"; }

class RunFiles {
public:
    explicit RunFiles(bool overwriteInputs) : mOverwriteInputs(overwriteInputs) {}

    void Texture(const std::string& description, const std::string& file) {
        Add(RunFile{RunFile::Role::Texture, description, mIdentities.Of(file),
                    mIdentities.PlaceOf(file), {}});
    }
    void Tile(const std::string& tile, const std::string& texture) {
        Add(RunFile{RunFile::Role::Tile, "the tile " + Quoted(tile) + " of " + Quoted(texture),
                    mIdentities.Of(tile), mIdentities.PlaceOf(tile), mIdentities.Of(texture)});
    }
    void Output(const std::string& option, const std::string& file) {
        if (file.empty()) return;
        Add(RunFile{RunFile::Role::Output, option + " " + Quoted(file),
                    mIdentities.Of(file), mIdentities.PlaceOf(file), {}});
    }

private:
    // Two files collide where they are written (a rename puts each in place), and where they
    // are one file now: a hard link, a /proc/self/fd name. Only the files two tile names show
    // now are not compared: another run over the folder recycles a replaced tile's file into
    // another tile, so that one file may show under two tile names within moments, while a
    // tile is written by a rename that replaces its name and nothing else.
    void Add(RunFile file) {
        using Role = RunFile::Role;
        std::vector<std::size_t>& samePlace = mByPlace[file.place];
        for (const std::size_t earlier : samePlace) Check(mFiles[earlier], file);
        std::vector<std::size_t>& sameFile = mByIdentity[file.identity];
        for (const std::size_t earlier : sameFile) {
            const RunFile& a = mFiles[earlier];
            const bool tiles = a.role == Role::Tile && file.role == Role::Tile;
            if (!tiles && a.place != file.place) Check(a, file);
        }
        samePlace.push_back(mFiles.size());
        sameFile.push_back(mFiles.size());
        mFiles.push_back(std::move(file));
    }

    void Check(const RunFile& a, const RunFile& b) const {
        using Role = RunFile::Role;
        // A texture named twice is read twice; its tile is the same both times.
        if (a.role == Role::Texture && b.role == Role::Texture) return;
        if (a.role == Role::Tile && b.role == Role::Tile && a.texture == b.texture) return;
        const bool tileOverTexture = (a.role == Role::Tile && b.role == Role::Texture) ||
                                     (a.role == Role::Texture && b.role == Role::Tile);
        const bool tileOverTile = a.role == Role::Tile && b.role == Role::Tile;
        // Both are what one texture at a time gives: a later texture reads the tile written
        // over it, and of two tiles of one name the later stays. Only when asked for.
        if ((tileOverTexture || tileOverTile) && mOverwriteInputs) return;
        if (!tileOverTexture) {
            throw EUsageError(a.description + " and " + b.description + " are the same file");
        }
        const RunFile& tile = a.role == Role::Tile ? a : b;
        const RunFile& texture = a.role == Role::Tile ? b : a;
        throw EUsageError(tile.description + " would replace " + texture.description +
                          "; give --overwrite-inputs to let it");
    }

    bool mOverwriteInputs;
    FileIdentities mIdentities;
    std::vector<RunFile> mFiles;
    std::map<std::string, std::vector<std::size_t>> mByPlace;     // mFiles' indices
    std::map<std::string, std::vector<std::size_t>> mByIdentity;  // mFiles' indices
};

}  // namespace

std::vector<std::pair<std::string, std::string>> TileFilesOfRun(const CliOptions& options) {
    const OutputSettings& output = options.output;
    std::vector<std::pair<std::string, std::string>> tiles;
    if (!output.sheet.empty()) return tiles;
    if (options.command == CliCommand::Batch) {
        for (const std::string& texture : options.files) {
            tiles.emplace_back(TileDestination(output, BatchTileFile(options, texture)), texture);
        }
    } else if (options.command == CliCommand::Transitions) {
        // Each transition tile is made of both terrains; it is named after the first.
        for (int variant = 0; variant < options.variants; ++variant) {
            for (int index = 0; index < kTransitionTileCount; ++index) {
                tiles.emplace_back(
                    TileDestination(output, TransitionTileName(options.files.at(2), index, variant)),
                    options.files.at(0));
            }
        }
    } else {
        const TTileSettings& settings = options.settings;
        const bool divided = settings.PiecesAcross * settings.PiecesDown > 1;
        for (const PiecePosition piece : PiecesInOrder(settings.PiecesAcross, settings.PiecesDown)) {
            tiles.emplace_back(TileDestination(output, PieceTileName(options.files.at(1), piece, divided)),
                               options.files.at(0));
        }
    }
    return tiles;
}

void CheckOutputCollisions(const CliOptions& options) {
    const OutputSettings& output = options.output;
    RunFiles files(options.overwriteInputs);
    const bool batch = options.command == CliCommand::Batch;
    const bool transitions = options.command == CliCommand::Transitions;
    std::vector<std::string> textures = options.files;
    textures.resize(batch ? textures.size() : transitions ? 2 : 1);
    for (const std::string& texture : textures) files.Texture("the texture " + Quoted(texture), texture);
    if (!options.block.leftTexture.empty()) {
        files.Texture("--left-texture " + Quoted(options.block.leftTexture), options.block.leftTexture);
    }
    if (!options.block.rightTexture.empty()) {
        files.Texture("--right-texture " + Quoted(options.block.rightTexture),
                      options.block.rightTexture);
    }

    for (const auto& [tile, texture] : TileFilesOfRun(options)) files.Tile(tile, texture);
    for (const mosaren::RunFile& file : RunFilesOf(output)) files.Output(file.option, file.file);
}

}  // namespace mosaren::cli
