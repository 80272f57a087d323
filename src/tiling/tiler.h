#pragma once

// The desktop program's two tile commands: they ask their file dialogs for the textures and the
// save name, run the textures through the tile maker and write the tiles. They reach the main
// window only through the two preview bitmaps they are given (each preview takes a copy of what
// it shows and repaints on the change notice) and through file dialogs.

#include <functional>
#include <string>
#include <utility>

#include "raster/bitmap.h"
#include "tile_maker.h"
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

    // The tile maker's MakeTile, after which the tile preview gets its copy of the tile.
    void MakeTile();

    // The working bitmaps; fresh ones replace them at the start of each command.
    TBitmap& Source() { return mMaker.Source(); }
    TBitmap& Piece() { return mMaker.Piece(); }
    TBitmap& Texture() { return mMaker.Texture(); }
    TBitmap& Rotated() { return mMaker.Rotated(); }
    TBitmap& Tile() { return mMaker.Tile(); }

private:
    // Hands the finished tile to the output under the command's file name.
    void PutTile(const std::string& fileName);

    TileMaker mMaker;
    TBitmap& mTexturePreview;
    TBitmap& mTilePreview;
    TileOutput mTileOutput;
};

}  // namespace mosaren
