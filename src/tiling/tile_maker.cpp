#include "tile_maker.h"

#include "raster/bmp_reader.h"
#include "raster/canvas.h"
#include "raster/exceptions.h"
#include "rotate_bitmap.h"

namespace mosaren {

namespace {

// Refuses a division that would leave a piece without pixels, before any tile is made, so that
// no file is written under a name the user never sees explained.
void CheckDivisible(const TBitmap& texture, std::int32_t across, std::int32_t down) {
    if (across < 1 || down < 1) {
        throw EInvalidOperation("Cannot divide a texture into " + std::to_string(across) + " x " +
                                std::to_string(down) + " pieces");
    }
    if (texture.ImageWidth() / across == 0 || texture.ImageHeight() / down == 0) {
        throw EInvalidOperation("The texture of " + std::to_string(texture.ImageWidth()) + " x " +
                                std::to_string(texture.ImageHeight()) +
                                " pixels is too small to divide into " + std::to_string(across) +
                                " x " + std::to_string(down) + " pieces");
    }
}

}  // namespace

TileMaker::TileMaker(const TTileSettings& settings) : mSettings(settings) {
    // The accessors hand out references, so the working bitmaps exist before any command runs.
    MakeFreshBitmaps(true);
}

void TileMaker::MakeFreshBitmaps(bool withPiece) {
    mSource = std::make_unique<TBitmap>();
    mRotated = std::make_unique<TBitmap>();
    mTile = std::make_unique<TBitmap>();
    mTexture = std::make_unique<TBitmap>();
    if (withPiece) {
        mPiece = std::make_unique<TBitmap>();
    }
}

TBitmap& TileMaker::TileTexture(const std::string& texturePath) {
    ReadWorkingTexture(texturePath);
    MakeTile();
    return Tile();
}

TBitmap& TileMaker::ReadWorkingTexture(const std::string& texturePath) {
    // Fresh bitmaps for every texture: nothing of the one before carries over or piles up.
    MakeFreshBitmaps(false);
    ReadBmpFile(Source(), texturePath);
    // The texture is drawn as read, at its own depth; only the working texture is converted.
    StretchIntoTexture(Source());
    return Texture();
}

void TileMaker::ReadTextureForPieces(const std::string& texturePath) {
    MakeFreshBitmaps(true);
    ReadBmpFile(Source(), texturePath);
    Source().ConvertDepth(TPixelDepth::Depth24);
    // The counts the pieces are made with, whatever the settings say later.
    mAcross = mSettings.PiecesAcross;
    mDown = mSettings.PiecesDown;
    if (Divided()) {
        CheckDivisible(Source(), mAcross, mDown);
    }
}

std::vector<PiecePosition> TileMaker::Pieces() const {
    std::vector<PiecePosition> pieces;
    for (std::int32_t column = 1; column <= mAcross; ++column) {
        for (std::int32_t row = 1; row <= mDown; ++row) {
            pieces.push_back(PiecePosition{column, row});
        }
    }
    return pieces;
}

TBitmap& TileMaker::MakePieceTexture(PiecePosition piece) {
    if (!Divided()) {
        StretchIntoTexture(Source());
        return Texture();
    }
    // Every piece is W div N by H div M; what lies right of or below them is in no piece.
    const std::int32_t width = Source().ImageWidth() / mAcross;
    const std::int32_t height = Source().ImageHeight() / mDown;
    const std::int32_t left = width * (piece.column - 1);
    const std::int32_t top = height * (piece.row - 1);
    Piece().SetImageWidth(width);
    Piece().SetImageHeight(height);
    Piece().CopyBlock(TPoint{0, 0}, Source(), TRect{left, top, left + width, top + height});
    StretchIntoTexture(Piece());
    return Texture();
}

void TileMaker::StretchIntoTexture(TBitmap& picture) {
    Texture().SetImageHeight(kWorkingTextureSide);
    Texture().SetImageWidth(kWorkingTextureSide);
    Texture().DrawingSurface().DrawStretched(TRect{0, 0, kWorkingTextureSide, kWorkingTextureSide},
                                             &picture);
    Texture().ConvertDepth(TPixelDepth::Depth24);
}

void TileMaker::MakeTile() {
    Tile().SetImageHeight(mSettings.TileHeight);
    Tile().SetImageWidth(mSettings.TileWidth);
    const TPoint centre{kRotationCentre, kRotationCentre};
    RotateBitmap(Texture(), Rotated(), centre, kRotationAngle, mSettings);
    // The tile stays in the device form; it is written from that form.
    Tile().DrawingSurface().DrawStretched(TRect{0, 0, mSettings.TileWidth, mSettings.TileHeight},
                                          &Rotated());
}

}  // namespace mosaren
