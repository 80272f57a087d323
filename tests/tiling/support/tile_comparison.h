#pragma once

// The tiles of one texture file made twice, by the tile maker (the reference) and by the tile
// engine, in the form a comparison needs: each command's tile files one after another, or the
// failure's class and message. The differential test and the differential fuzz target share it.

#include <algorithm>
#include <cstdint>
#include <sstream>
#include <string>
#include <vector>

#include "raster/bmp_writer.h"
#include "raster/byte_stream.h"
#include "raster/display_depth.h"
#include "raster/exceptions.h"
#include "tiling/tile_bmp_form.h"
#include "tiling/tile_engine.h"
#include "tiling/tile_maker.h"

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
        TileEngine engine(settings);
        engine.ReadTextureForPieces(texture);
        for (const PiecePosition piece : engine.Pieces()) {
            WriteBmp(EngineTileFile(engine.PieceTile(piece), settings), out);
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
