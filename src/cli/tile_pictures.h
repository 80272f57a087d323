#pragma once

// What a command hands on for each tile it makes: the tile itself, or with --block the tile
// raised into its block, its side textures in any format the command line reads.

#include <memory>
#include <optional>
#include <string>

#include "cli_options.h"
#include "tiling/block_gather.h"
#include "tiling/smooth_block.h"
#include "tiling/tile_engine.h"
#include "tiling/tile_pixels.h"
#include "tiling/transition_gather.h"
#include "tiling/transition_sides.h"
#include "tiling/working_texture.h"

namespace mosaren::cli {

// The working texture of a texture file of any format, with its alpha.
WorkingTexture ReadAnyWorkingTexture(WorkingTextureReader& reader, const std::string& path);

// The tiles of working textures a run hands on, flat or raised into blocks as the command line
// says, from any thread: the side textures are read once, when it is made, so that one that
// cannot be read fails the run before any file is written.
class WorkingTiles {
public:
    explicit WorkingTiles(const CliOptions& options);

    // The tile or block of the texture.
    TilePixels Of(const WorkingTexture& texture) const;
    // The transition tile or block with these corners, in that variant of the border.
    TilePixels Of(const TransitionGather& transitions, const TerrainCorners& corners,
                  std::uint32_t variant) const;

private:
    std::optional<WorkingTexture> mLeft;
    std::optional<WorkingTexture> mRight;
    std::optional<WorkingTile> mFlat;
    std::optional<BlockGather> mBlocks;
    std::optional<TransitionSides> mSides;
};

// The side faces of smooth blocks that show textures of their own, read once for the run, when
// it is made, and shared by every worker's engine.
class SmoothSideFaces {
public:
    explicit SmoothSideFaces(const CliOptions& options);

    SmoothSides Sides() const;

private:
    std::optional<FaceLight> mLeft;
    std::optional<FaceLight> mRight;
};

// An engine that makes the run's tiles: flat, or smooth blocks with these side faces (which must
// outlive it).
std::unique_ptr<TileEngine> RunEngine(const CliOptions& options, const SmoothSideFaces* sides);

}  // namespace mosaren::cli
