#pragma once

// The tiles of one texture file made twice, by the tile maker (the reference) and by the tile
// engine, in the form a comparison needs: each command's tile files one after another, or the
// failure's class and message. The differential test and the differential fuzz target share it.

#include <algorithm>
#include <cstdint>
#include <memory>
#include <utility>
#include <sstream>
#include <string>
#include <vector>

#include "raster/bmp_sampler.h"
#include "raster/bmp_writer.h"
#include "raster/byte_stream.h"
#include "raster/display_depth.h"
#include "raster/exceptions.h"
#include "tiling/block_gather.h"
#include "tiling/block_maker.h"
#include "tiling/terrain_blend.h"
#include "tiling/terrain_field.h"
#include "tiling/tile_bmp_form.h"
#include "tiling/tile_engine.h"
#include "tiling/tile_maker.h"
#include "tiling/transition_gather.h"
#include "tiling/transition_sides.h"
#include "tiling/working_texture.h"

namespace mosaren::testing {

struct TilesMade {
    std::vector<std::uint8_t> bytes;  // the BMP files of the tiles, one after another
    std::string failure;              // "EClass: message", or empty
    friend bool operator==(const TilesMade&, const TilesMade&) = default;
};

template <typename Make>
TilesMade TilesOf(Make&& make) {
    MemoryOutputStream out;
    try {
        make(out);
    } catch (const Exception& e) {
        return {{}, std::string(e.ClassName()) + ": " + e.Message()};
    }
    return {out.Bytes(), {}};
}

// The batch command's tile of the texture.
inline TilesMade BatchTileByMaker(TileMaker& maker, const std::string& texture) {
    return TilesOf([&](OutputStream& out) { WriteBmp(maker.TileTexture(texture), out); });
}
// The engine's tiles stored as the command line stores them, at the display depth the maker
// draws at, with the mask of the settings the engine was made with.
inline DevicePicture EngineTileFile(const TilePixels& tile, const TTileSettings& settings) {
    return BmpFormOf(tile, DisplayDepth(), Rgb(settings.MaskR, settings.MaskG, settings.MaskB));
}
inline TilesMade BatchTileByEngine(TileEngine& engine, const TTileSettings& settings,
                                   const std::string& texture) {
    return TilesOf([&](OutputStream& out) {
        WriteBmp(EngineTileFile(engine.TileTexture(texture), settings), out);
    });
}

// The single-texture command's tiles of the texture's pieces, in the command's order.
inline TilesMade PieceTilesByMaker(const TTileSettings& settings, const std::string& texture) {
    return TilesOf([&](OutputStream& out) {
        TileMaker maker(settings);
        maker.ReadTextureForPieces(texture);
        for (const PiecePosition piece : maker.Pieces()) {
            maker.MakePieceTexture(piece);
            maker.MakeTile();
            WriteBmp(maker.Tile(), out);
        }
    });
}
inline TilesMade PieceTilesByEngine(const TTileSettings& settings, const std::string& texture) {
    return TilesOf([&](OutputStream& out) {
        TileEngine engine(settings, DisplayDepth());
        engine.ReadTextureForPieces(texture);
        for (const PiecePosition piece : engine.Pieces()) {
            WriteBmp(EngineTileFile(engine.PieceTile(piece), settings), out);
        }
    });
}

// The engine's blocks of these settings, with the side textures the block settings name read at
// the display depth, as the tests' engine runs make them.
struct EngineBlocks {
    EngineBlocks(const TTileSettings& settings, const BlockSettings& block)
        : left(block.leftTexture.empty() ? WorkingTexture{} : reader.Read(block.leftTexture)),
          right(block.rightTexture.empty() ? WorkingTexture{} : reader.Read(block.rightTexture)),
          gather(settings, block, block.leftTexture.empty() ? nullptr : &left,
                 block.rightTexture.empty() ? nullptr : &right) {}

    WorkingTextureReader reader{DisplayDepth()};
    WorkingTexture left;
    WorkingTexture right;
    BlockGather gather;
};

// The block of the texture, its side faces from the textures the block settings name: by the
// maker's BlockMaker, and gathered from working textures, stored at the display depth.
inline TilesMade BlockByMaker(const TTileSettings& settings, const BlockSettings& block,
                              const std::string& texture) {
    return TilesOf([&](OutputStream& out) {
        BlockMaker blocks(settings, block);
        TileMaker maker(settings);
        maker.TileTexture(texture);
        WriteBmp(blocks.Raise(maker), out);
    });
}
inline TilesMade BlockByEngine(const TTileSettings& settings, const BlockSettings& block,
                               const std::string& texture) {
    return TilesOf([&](OutputStream& out) {
        EngineBlocks blocks(settings, block);
        WorkingTextureReader& reader = blocks.reader;
        const BlockGather& gather = blocks.gather;
        const TColor mask = Rgb(settings.MaskR, settings.MaskG, settings.MaskB);
        WriteBmp(BmpFormOf(gather.Raise(reader.Read(texture)), DisplayDepth(), mask), out);
    });
}
// The single-texture command's blocks of each piece, by the maker and by gathers of each piece's
// working texture.
inline TilesMade PieceBlocksByMaker(const TTileSettings& settings, const BlockSettings& block,
                                    const std::string& texture) {
    return TilesOf([&](OutputStream& out) {
        BlockMaker blocks(settings, block);
        TileMaker maker(settings);
        maker.ReadTextureForPieces(texture);
        for (const PiecePosition piece : maker.Pieces()) {
            maker.MakePieceTexture(piece);
            maker.MakeTile();
            WriteBmp(blocks.Raise(maker), out);
        }
    });
}
inline TilesMade PieceBlocksByEngine(const TTileSettings& settings, const BlockSettings& block,
                                     const std::string& texture) {
    return TilesOf([&](OutputStream& out) {
        EngineBlocks blocks(settings, block);
        WorkingTextureReader& reader = blocks.reader;
        const BlockGather& gather = blocks.gather;
        // The engine takes the texture for pieces, refusing what the maker refuses.
        TileEngine engine(settings, DisplayDepth());
        engine.ReadTextureForPieces(texture);
        const TColor mask = Rgb(settings.MaskR, settings.MaskG, settings.MaskB);
        for (const PiecePosition piece : engine.Pieces()) {
            const WorkingTexture own =
                reader.ReadPiece(texture, settings.PiecesAcross, settings.PiecesDown, piece);
            WriteBmp(BmpFormOf(gather.Raise(own), DisplayDepth(), mask), out);
        }
    });
}

// The 16 transition tiles between two terrain textures, flat or raised into blocks: by the
// maker's steps (TerrainBlend, then MakeTile and BlockMaker, the side faces showing the lid's
// edge) and gathered.
inline TilesMade TransitionsByMaker(const TTileSettings& settings, const BlockSettings& block,
                                    const std::string& a, const std::string& b,
                                    const TerrainBorder& border) {
    return TilesOf([&](OutputStream& out) {
        TileMaker reader(settings);
        TBitmap textureA;
        TBitmap textureB;
        textureA.AssignImage(reader.ReadWorkingTexture(a));
        textureB.AssignImage(reader.ReadWorkingTexture(b));
        // The maker's working textures no longer know their pictures' sizes: the border follows
        // the texels of the files' own.
        BmpSampler sizeA;
        BmpSampler sizeB;
        sizeA.Open(a, DisplayDepth());
        sizeB.Open(b, DisplayDepth());
        const TerrainBlend blend(textureA, textureB,
                                 FollowingTexels(border, sizeA.Width(), sizeA.Height(),
                                                 sizeB.Width(), sizeB.Height()));
        std::unique_ptr<BlockMaker> blocks;
        if (block.MakesBlocks()) blocks = std::make_unique<BlockMaker>(settings, block);
        const TransitionSides sides(settings.TileWidth, settings.TileHeight);
        TileMaker maker(settings);
        for (int index = 0; index < kTransitionTileCount; ++index) {
            const TerrainCorners corners = TransitionCorners(index);
            blend.MakeWorkingTexture(corners, maker);
            maker.MakeTile();
            if (!blocks) {
                WriteBmp(maker.Tile(), out);
                continue;
            }
            // Fresh side textures for every block, as the tile's own working texture is.
            TBitmap left;
            TBitmap right;
            blend.MakeSideTexture(corners, BlockFace::Left, sides, left);
            blend.MakeSideTexture(corners, BlockFace::Right, sides, right);
            WriteBmp(blocks->Raise(maker, left, right), out);
        }
    });
}
inline TilesMade TransitionsByEngine(const TTileSettings& settings, const BlockSettings& block,
                                     const std::string& a, const std::string& b,
                                     const TerrainBorder& border) {
    return TilesOf([&](OutputStream& out) {
        WorkingTextureReader reader(DisplayDepth());
        WorkingTexture textureA = reader.Read(a);
        const TransitionGather transitions(std::move(textureA), reader.Read(b), border);
        WorkingTexture left;
        WorkingTexture right;
        if (!block.leftTexture.empty()) left = reader.Read(block.leftTexture);
        if (!block.rightTexture.empty()) right = reader.Read(block.rightTexture);
        const BlockGather gather(settings, block, block.leftTexture.empty() ? nullptr : &left,
                                 block.rightTexture.empty() ? nullptr : &right);
        const WorkingTile flat(settings.TileWidth, settings.TileHeight);
        const TransitionSides sides(settings.TileWidth, settings.TileHeight);
        const TColor mask = Rgb(settings.MaskR, settings.MaskG, settings.MaskB);
        for (int index = 0; index < kTransitionTileCount; ++index) {
            const TerrainCorners corners = TransitionCorners(index);
            const TilePixels tile = block.MakesBlocks()
                                        ? transitions.Raise(corners, 0, gather, sides)
                                        : flat.Tile(transitions.Blend(corners));
            WriteBmp(BmpFormOf(tile, DisplayDepth(), mask), out);
        }
    });
}

// How the engine's tiles differ from the maker's, for a failure message.
inline std::string Difference(const TilesMade& maker, const TilesMade& engine) {
    std::ostringstream text;
    if (maker.failure != engine.failure) {
        text << "the maker " << (maker.failure.empty() ? "made its tiles" : maker.failure)
             << ", the engine " << (engine.failure.empty() ? "made its tiles" : engine.failure);
    } else {
        const auto differs = std::mismatch(maker.bytes.begin(), maker.bytes.end(),
                                           engine.bytes.begin(), engine.bytes.end());
        text << maker.bytes.size() << " bytes against " << engine.bytes.size()
             << ", first difference at byte " << (differs.first - maker.bytes.begin());
    }
    return text.str();
}

}  // namespace mosaren::testing
