#pragma once

// The 255 × 255 working texture that the tile maker stretches each texture into, as a gather:
// the stretch is nearest-pixel (StretchSamples), so each working pixel is one texture pixel, read
// straight from the file (bmp_sampler.h) or the texture source, with its alpha. Blocks show it on
// their side faces and transition tiles choose between two of them pixel by pixel; the flat tile
// of one is a further gather (WorkingTile).
//
// The maker stretches into a bitmap in the device form, so at a depth of 16 bits the working
// texture keeps 5 bits of each channel: the reader is told the depth the run's tiles are stored
// at and keeps what that depth keeps.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "raster/texture_source.h"
#include "tile_maker.h"
#include "tile_pixels.h"
#include "tile_settings.h"

namespace mosaren {

inline constexpr std::size_t kWorkingPixelCount =
    static_cast<std::size_t>(kWorkingTextureSide) * kWorkingTextureSide;

struct WorkingTexture {
    std::vector<TColor> colours;      // row by row from the top-left, kWorkingPixelCount of them
    std::vector<std::uint8_t> alpha;  // as many, or empty: opaque throughout
    // The size of the picture (or piece) it was stretched from, so that a border can follow
    // its texels; 0 where not known.
    std::int32_t sourceWidth = 0;
    std::int32_t sourceHeight = 0;
};

// What the device form of that depth keeps of the colour (at 16 bits, 5 bits of each channel).
TColor KeptAtDepth(TColor colour, int depth);

// Reads working textures, one texture after another; one per thread.
class WorkingTextureReader {
public:
    explicit WorkingTextureReader(int depth);
    ~WorkingTextureReader();
    WorkingTextureReader(const WorkingTextureReader&) = delete;
    WorkingTextureReader& operator=(const WorkingTextureReader&) = delete;

    // The working texture TileMaker::ReadWorkingTexture makes of a BMP file, raising what it
    // raises for a file it refuses.
    WorkingTexture Read(const std::string& bmpPath);
    // The same of a texture in another format, with its alpha: what a 24-bit BMP file of its
    // colours gives.
    WorkingTexture Read(TextureSource& texture);

    // The working texture TileMaker::MakePieceTexture makes of a piece of the texture, cut into
    // across × down pieces (1 × 1: the texture whole), once TileEngine::ReadTextureForPieces has
    // taken the texture (its refusals are that command's). The single-texture command converts
    // the texture to 24 bits before it cuts and stretches it, so each working pixel is one pixel
    // of the piece, whatever the texture's depth.
    WorkingTexture ReadPiece(const std::string& bmpPath, std::int32_t across, std::int32_t down,
                             PiecePosition piece);
    // The same of a texture in another format, with its alpha.
    WorkingTexture ReadPiece(TextureSource& texture, std::int32_t across, std::int32_t down,
                             PiecePosition piece);

private:
    struct State;
    std::unique_ptr<State> mState;
};

// The flat tile of working textures at one tile size: which working pixel each tile pixel shows.
class WorkingTile {
public:
    WorkingTile(std::int32_t tileWidth, std::int32_t tileHeight);

    std::int32_t Width() const { return mWidth; }
    std::int32_t Height() const { return mHeight; }
    // For each tile pixel, row by row from the top-left: the working pixel (y · 255 + x) it
    // shows, or kNone where the tile shows the mask.
    static constexpr std::int32_t kNone = -1;
    const std::vector<std::int32_t>& Pixels() const { return mPixels; }

    // The tile TileMaker::MakeTile makes of the texture.
    TilePixels Tile(const WorkingTexture& texture) const;

private:
    std::int32_t mWidth;
    std::int32_t mHeight;
    std::vector<std::int32_t> mPixels;
};

}  // namespace mosaren
