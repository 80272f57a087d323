// The batch command: every texture's tile made by the tile engine, on several threads at once,
// and taken in the order of the textures, so that the files, the progress lines and the
// failures are what one texture at a time would give:
//
// - a tile is reported once its file is in place, its group flushed to the disk; a tile of a
//   sheet is reported as made, and the sheet, the tilesets and the preview each once in place;
// - a failing texture is reported after the tiles before it are in place; without --keep-going
//   it ends the batch and no tile after it goes in place;
// - a texture that an earlier texture's tile replaces (a.bmp, then atile.bmp) is read only once
//   that tile is in place, and two tiles of one name go in place in order, the later last.

#include <algorithm>
#include <exception>
#include <map>
#include <memory>
#include <optional>
#include <vector>

#include "cli_commands.h"
#include "console.h"
#include "export/run_outputs.h"
#include "out_dir.h"
#include "raster/exceptions.h"
#include "raster/file_identity.h"
#include "texture_import.h"
#include "tile_pictures.h"
#include "tiling/ordered_work.h"
#include "tiling/tile_engine.h"
#include "tiling/tile_names.h"

namespace mosaren::cli {

namespace {

using Work = OrderedWork<RunOutputs::PreparedTile>;

// For each texture, the last earlier one whose tile file is that very texture, or kNoWait.
std::vector<std::size_t> EarlierWriters(const std::vector<std::string>& textures,
                                        const std::vector<std::string>& tileFiles) {
    FileIdentities identities;
    std::map<std::string, std::size_t> lastWriter;  // file → the last texture writing it so far
    std::vector<std::size_t> writers(textures.size(), Work::kNoWait);
    for (std::size_t k = 0; k < textures.size(); ++k) {
        const auto found = lastWriter.find(identities.Of(textures[k]));
        if (found != lastWriter.end()) writers[k] = found->second;
        lastWriter[identities.Of(tileFiles[k])] = k;
    }
    return writers;
}

// What makes one worker's tiles: the tile engine's flat tiles, or blocks gathered from each
// texture's working texture (the side textures, read once for the run, shared by every worker).
class TileSource {
public:
    // Smooth blocks (smoothSides given) are the engine's too.
    TileSource(const CliOptions& options, const WorkingTiles* blocks,
               const SmoothSideFaces* smoothSides)
        : mBlocks(blocks), mReader(options.depth) {
        if (!mBlocks) mEngine = RunEngine(options, smoothSides);
    }

    // What the run keeps of the texture's tile, which it names bmpName.
    RunOutputs::PreparedTile Prepare(const std::string& texture, const RunOutputs& outputs,
                                     const std::string& bmpName) {
        if (mEngine) return outputs.Prepare(TileAnyTexture(*mEngine, texture), bmpName);
        return outputs.Prepare(mBlocks->Of(ReadAnyWorkingTexture(mReader, texture)), bmpName);
    }

private:
    const WorkingTiles* mBlocks;
    std::unique_ptr<TileEngine> mEngine;
    WorkingTextureReader mReader;
};

}  // namespace

bool RunBatchCommand(const CliOptions& options, Console& console) {
    RunOutputs outputs(options.settings, options.output, options.block);
    const std::vector<std::string>& textures = options.files;
    const std::size_t count = textures.size();
    std::vector<std::string> tiles;
    std::vector<std::string> destinations;
    for (const std::string& texture : textures) {
        tiles.push_back(BatchTileFile(options, texture));
        destinations.push_back(outputs.Destination(tiles.back()));
    }
    // Tiles that go into a sheet replace no file during the run.
    const std::vector<std::size_t> waits =
        options.output.sheet.empty() ? EarlierWriters(textures, destinations)
                                     : std::vector<std::size_t>(count, Work::kNoWait);

    std::optional<WorkingTiles> blocks;
    std::optional<SmoothSideFaces> smoothSides;
    if (options.block.MakesBlocks() && options.filter == TileFilter::Smooth) {
        smoothSides.emplace(options);
    } else if (options.block.MakesBlocks()) {
        blocks.emplace(options);
    }
    const std::size_t jobs = std::min(static_cast<std::size_t>(options.jobs), count);
    std::vector<std::unique_ptr<TileSource>> sources;
    for (std::size_t w = 0; w < jobs; ++w) {
        sources.push_back(std::make_unique<TileSource>(options, blocks ? &*blocks : nullptr,
                                                       smoothSides ? &*smoothSides : nullptr));
    }
    Work work(count, jobs, waits, [&](std::size_t k, std::size_t worker) {
        return sources[worker]->Prepare(textures[k], outputs, tiles[k]);
    });

    bool allWritten = true;
    // The texture's name in front: in a batch of hundreds the message alone ("Bitmap image is
    // not valid.") would not say which. Whether the batch goes on.
    const auto failed = [&](std::size_t k, std::exception_ptr failure) {
        console.Failure(textures[k] + ": " + FailureText(failure));
        allWritten = false;
        return options.keepGoing;
    };
    // A stopped batch leaves the sheet, tileset and preview unwritten rather than partial.
    for (std::size_t k = 0; k < count; ++k) {
        if (waits[k] != Work::kNoWait) {
            if (outputs.Pending() && !outputs.Commit()) return false;
            work.Release(k - 1);
        }
        // Tiles already made are not kept waiting behind a slow texture.
        if (outputs.Pending() && !work.NextReadyBy(outputs.CommitDue()) && !outputs.Commit()) {
            return false;
        }
        RunOutputs::PreparedTile tile;
        try {
            tile = work.Next();
        } catch (...) {
            const std::exception_ptr failure = std::current_exception();
            if (!outputs.Commit() || !failed(k, failure)) return false;
            continue;
        }
        const bool goOn = outputs.Take(std::move(tile), [&, k](std::exception_ptr failure) {
            if (failure) return failed(k, failure);
            if (options.output.sheet.empty()) {
                console.Progress(k + 1, count, textures[k], destinations[k]);
            } else {
                console.Made(k + 1, count, textures[k], options.output.sheet);
            }
            return true;
        });
        if (!goOn) return false;
    }
    if (!outputs.Commit()) return false;
    outputs.Finish([&console](const std::string& file) { console.Written(file); });
    return allWritten;
}

}  // namespace mosaren::cli
