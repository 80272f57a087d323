#pragma once

// The tile-making module: the five working bitmaps, the tile maker and the two tile commands.
// It reaches the main window only through the two preview bitmaps it is given (each preview
// takes a copy of what it shows and repaints on the change notice) and through file dialogs.

#include <functional>
#include <memory>
#include <string>
#include <utility>

#include "raster/bitmap.h"
#include "tile_settings.h"

namespace mosaren {

class FileDialog;

// Told about each tile the batch command has written: the k-th of n textures (from 1).
using BatchProgress = std::function<void(std::size_t k, std::size_t n, const std::string& texture,
                                         const std::string& tile)>;

// Where the commands put each finished tile, with the BMP file name the command gives it. Unless
// a front end sets its own (to write another format, or to gather the tiles), the tile is written
// as that BMP file.
using TileOutput = std::function<void(TBitmap& tile, const std::string& fileName)>;

class Tiler {
public:
    Tiler(const TTileSettings& settings, TBitmap& texturePreview, TBitmap& tilePreview);

    // The single-texture command: one texture, optionally cut into pieces, each a tile.
    void TileSingleTexture(FileDialog& openDialog, FileDialog& saveDialog);
    // The batch command: every chosen texture becomes a tile written beside it.
    void TileBatch(FileDialog& allDialog, const BatchProgress& progress = {});

    // Replaces the BMP writing of both commands; an empty output restores it.
    void SetTileOutput(TileOutput output) { mTileOutput = std::move(output); }

    // Turns the 255 × 255 24-bit working texture into the masked frame, squeezes the frame into
    // the tile and gives the tile preview its copy.
    void MakeTile();

    // The working bitmaps; fresh ones replace them at the start of each command.
    TBitmap& Source() { return *mSource; }
    TBitmap& Piece() { return *mPiece; }
    TBitmap& Texture() { return *mTexture; }
    TBitmap& Rotated() { return *mRotated; }
    TBitmap& Tile() { return *mTile; }

private:
    void MakeFreshBitmaps(bool withPiece);
    // Hands the finished tile to the output under the command's file name.
    void PutTile(const std::string& fileName);

    const TTileSettings& mSettings;
    TBitmap& mTexturePreview;
    TBitmap& mTilePreview;
    TileOutput mTileOutput;
    std::unique_ptr<TBitmap> mSource;
    std::unique_ptr<TBitmap> mPiece;
    std::unique_ptr<TBitmap> mTexture;
    std::unique_ptr<TBitmap> mRotated;
    std::unique_ptr<TBitmap> mTile;
};

// The batch's output name: the texture's path less its last four characters (UTF-8 characters,
// not bytes), followed by "tile.bmp".
std::string BatchTileName(const std::string& texturePath);

}  // namespace mosaren
