#pragma once

// The working bitmaps of tile making and the steps that turn a texture into its tile. The desktop
// program's two commands (Tiler) and the command line run every texture through here; what
// becomes of each tile (a preview, a file, a sheet) is theirs.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "raster/bitmap.h"
#include "texture_reader.h"
#include "tile_settings.h"

namespace mosaren {

// A piece of a divided texture: its column and row, both from 1 (column 1 is the leftmost, row 1
// the top). A texture used whole is the one piece (1, 1).
struct PiecePosition {
    std::int32_t column = 1;
    std::int32_t row = 1;
    friend bool operator==(const PiecePosition&, const PiecePosition&) = default;
};

// The pieces of a texture cut into across × down in the order the single-texture command makes
// their tiles: column by column, each column from its top piece down.
std::vector<PiecePosition> PiecesInOrder(std::int32_t across, std::int32_t down);

// The pixels of a width × height texture that a piece covers: every piece is width div across by
// height div down, so what lies right of or below them is in no piece.
TRect PieceRect(std::int32_t width, std::int32_t height, std::int32_t across, std::int32_t down,
                PiecePosition piece);

// Refuses a division of a width × height texture into across × down pieces that would leave a
// piece without pixels (EInvalidOperation), so that no file is written under a name the user
// never sees explained.
void CheckDivisible(std::int32_t width, std::int32_t height, std::int32_t across,
                    std::int32_t down);

class TileMaker {
public:
    // The settings are read at each step, so a changed setting counts from the next texture.
    // Texture files are read by readTexture (texture_reader.h), BMP files alone by default.
    explicit TileMaker(const TTileSettings& settings, TextureReader readTexture = ReadBmpTexture);

    // The batch command's steps for one texture file: fresh working bitmaps, the texture read at
    // its own depth, stretched into the 255 × 255 working texture, converted to 24 bits and made
    // into the tile. Returns the tile, in the device form, which stays until the next texture. A
    // file that cannot be read raises the reader's failure, which names it.
    //
    // The command line's TileEngine makes the same bytes without these steps; this is the
    // reference it is held to.
    TBitmap& TileTexture(const std::string& texturePath);
    // The same steps up to the working texture, which it returns: 255 × 255, 24 bits.
    TBitmap& ReadWorkingTexture(const std::string& texturePath);

    // The single-texture command's steps up to its save dialog: fresh working bitmaps (the
    // piece's too), the texture read and converted to 24 bits, and the piece counts of the
    // settings taken for its pieces. A texture that cannot be divided into them, leaving a piece
    // without pixels, is refused before any tile is made (EInvalidOperation).
    void ReadTextureForPieces(const std::string& texturePath);
    // Whether the texture read is cut into more than one piece.
    bool Divided() const { return mAcross != 1 || mDown != 1; }
    // Its pieces in the order the command makes their tiles: column by column, each column from
    // its top piece down.
    std::vector<PiecePosition> Pieces() const;
    // Makes the working texture of one piece: the piece copied out of the texture pixel for
    // pixel (unless the texture is used whole), stretched to 255 × 255 and converted to 24 bits.
    TBitmap& MakePieceTexture(PiecePosition piece);

    // Turns the 255 × 255 24-bit working texture into the masked frame and squeezes the frame
    // into the tile, at the tile size of the settings at the call.
    void MakeTile();

    // Fresh, empty working bitmaps take the places of the old ones (the piece's only if asked);
    // whatever still holds a copy of an old one's image keeps it.
    void MakeFreshBitmaps(bool withPiece);

    TBitmap& Source() { return *mSource; }
    TBitmap& Piece() { return *mPiece; }
    TBitmap& Texture() { return *mTexture; }
    TBitmap& Rotated() { return *mRotated; }
    TBitmap& Tile() { return *mTile; }

private:
    // Draws the whole of picture stretched into the working texture, then converts that to 24
    // bits.
    void StretchIntoTexture(TBitmap& picture);

    const TTileSettings& mSettings;
    TextureReader mReadTexture;
    std::int32_t mAcross = 1;
    std::int32_t mDown = 1;
    std::unique_ptr<TBitmap> mSource;
    std::unique_ptr<TBitmap> mPiece;
    std::unique_ptr<TBitmap> mTexture;
    std::unique_ptr<TBitmap> mRotated;
    std::unique_ptr<TBitmap> mTile;
};

}  // namespace mosaren
