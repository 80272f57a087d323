#include "tile_maker.h"

#include <utility>

#include "raster/bmp_reader.h"
#include "raster/canvas.h"
#include "raster/exceptions.h"
#include "rotate_bitmap.h"

namespace mosaren {

std::vector<PiecePosition> PiecesInOrder(std::int32_t across, std::int32_t down) {
    std::vector<PiecePosition> pieces;
    for (std::int32_t column = 1; column <= across; ++column) {
        for (std::int32_t row = 1; row <= down; ++row) {
            pieces.push_back(PiecePosition{column, row});
        }
    }
    return pieces;
}

TRect PieceRect(std::int32_t width, std::int32_t height, std::int32_t across, std::int32_t down,
                PiecePosition piece) {
    const std::int32_t pieceWidth = width / across;
    const std::int32_t pieceHeight = height / down;
    const std::int32_t left = pieceWidth * (piece.column - 1);
    const std::int32_t top = pieceHeight * (piece.row - 1);
    return TRect{left, top, left + pieceWidth, top + pieceHeight};
}

void CheckDivisible(std::int32_t width, std::int32_t height, std::int32_t across,
                    std::int32_t down) {
    if (across < 1 || down < 1) {
        throw EInvalidOperation("Cannot divide a texture into " + std::to_string(across) + " x " +
                                std::to_string(down) + " pieces");
    }
    if (width / across == 0 || height / down == 0) {
        throw EInvalidOperation("The texture of " + std::to_string(width) + " x " +
                                std::to_string(height) + " pixels is too small to divide into " +
                                std::to_string(across) + " x " + std::to_string(down) + " pieces");
    }
}

TileMaker::TileMaker(const TTileSettings& settings, TextureReader readTexture)
    : mSettings(settings), mReadTexture(std::move(readTexture)) {
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
    mReadTexture(Source(), texturePath);
    // The texture is drawn as read, at its own depth; only the working texture is converted.
    StretchIntoTexture(Source());
    return Texture();
}

void TileMaker::ReadTextureForPieces(const std::string& texturePath) {
    MakeFreshBitmaps(true);
    mReadTexture(Source(), texturePath);
    Source().ConvertDepth(TPixelDepth::Depth24);
    // The counts the pieces are made with, whatever the settings say later.
    mAcross = mSettings.PiecesAcross;
    mDown = mSettings.PiecesDown;
    if (Divided()) {
        CheckDivisible(Source().ImageWidth(), Source().ImageHeight(), mAcross, mDown);
    }
}

std::vector<PiecePosition> TileMaker::Pieces() const { return PiecesInOrder(mAcross, mDown); }

TBitmap& TileMaker::MakePieceTexture(PiecePosition piece) {
    if (!Divided()) {
        StretchIntoTexture(Source());
        return Texture();
    }
    const TRect rect =
        PieceRect(Source().ImageWidth(), Source().ImageHeight(), mAcross, mDown, piece);
    Piece().SetImageWidth(rect.right - rect.left);
    Piece().SetImageHeight(rect.bottom - rect.top);
    Piece().CopyBlock(TPoint{0, 0}, Source(), rect);
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
