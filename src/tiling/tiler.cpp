#include "tiler.h"

#include "raster/bmp_writer.h"

namespace mosaren {

Tiler::Tiler(const TTileSettings& settings, TBitmap& texturePreview, TBitmap& tilePreview)
    : mSettings(settings), mTexturePreview(texturePreview), mTilePreview(tilePreview) {
    // The accessors hand out references, so the working bitmaps exist before any command runs.
    MakeFreshBitmaps(true);
}

void Tiler::MakeFreshBitmaps(bool withPiece) {
    // The old bitmaps go as the new ones take their places; a preview that still shows one of
    // their images keeps it, since it holds a share of it.
    mSource = std::make_unique<TBitmap>();
    mRotated = std::make_unique<TBitmap>();
    mTile = std::make_unique<TBitmap>();
    mTexture = std::make_unique<TBitmap>();
    if (withPiece) {
        mPiece = std::make_unique<TBitmap>();
    }
}

void Tiler::PutTile(const std::string& fileName) {
    if (mTileOutput) {
        mTileOutput(Tile(), fileName);
    } else {
        WriteBmpFile(Tile(), fileName);
    }
}

}  // namespace mosaren
