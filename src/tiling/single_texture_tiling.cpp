#include <string>

#include "file_dialog.h"
#include "raster/bmp_reader.h"
#include "raster/canvas.h"
#include "raster/exceptions.h"
#include "tiler.h"

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

// The piece's own file: the save name, the column and the row, so that no two pieces share one.
std::string PieceTileName(const std::string& saveName, std::int32_t column, std::int32_t row) {
    return saveName + "_" + std::to_string(column) + "_" + std::to_string(row) + ".bmp";
}

// Copies the piece's block of the 24-bit source into the piece bitmap, whole rows at a time.
void CopyPiece(TBitmap& piece, const TBitmap& source, std::int32_t left, std::int32_t top) {
    piece.BeforeChange();
    gdi::BitBlt(*piece.DeviceHandle(), 0, 0, piece.ImageWidth(), piece.ImageHeight(),
                *source.DeviceHandle(), left, top);
    piece.AnnounceChange();
}

}  // namespace

void Tiler::TileSingleTexture(FileDialog& openDialog, FileDialog& saveDialog) {
    MakeFreshBitmaps(true);
    if (!openDialog.RunFileDialog()) {
        return;
    }
    ReadBmpFile(Source(), openDialog.FileName());
    Source().ConvertDepth(TPixelDepth::Depth24);

    // The parameters dialog cannot change the counts while the save dialog is up, so these are
    // the counts the loops run with; a texture that cannot be divided is refused like a bad file,
    // before the user is asked for a name.
    const std::int32_t across = mSettings.PiecesAcross;
    const std::int32_t down = mSettings.PiecesDown;
    const bool divided = across != 1 || down != 1;
    if (divided) {
        CheckDivisible(Source(), across, down);
    }

    // A cancelled save dialog still makes and shows the tiles; it only writes none.
    const bool save = saveDialog.RunFileDialog();
    const std::string saveName = save ? saveDialog.FileName() : std::string{};

    Texture().SetImageHeight(kWorkingTextureSide);
    Texture().SetImageWidth(kWorkingTextureSide);
    const TRect workingRect{0, 0, kWorkingTextureSide, kWorkingTextureSide};
    const std::int32_t pieceWidth = Source().ImageWidth() / across;
    const std::int32_t pieceHeight = Source().ImageHeight() / down;

    // Column by column, each column from its top piece down.
    for (std::int32_t column = 1; column <= across; ++column) {
        for (std::int32_t row = 1; row <= down; ++row) {
            TBitmap* piece = &Source();
            if (divided) {
                Piece().SetImageWidth(pieceWidth);
                Piece().SetImageHeight(pieceHeight);
                CopyPiece(Piece(), Source(), pieceWidth * (column - 1), pieceHeight * (row - 1));
                piece = &Piece();
            }
            Texture().DrawingSurface().DrawStretched(workingRect, piece);
            Texture().ConvertDepth(TPixelDepth::Depth24);
            mTexturePreview.AssignImage(Texture());
            MakeTile();
            if (save) {
                PutTile(divided ? PieceTileName(saveName, column, row) : saveName + ".bmp");
            }
        }
    }
}

}  // namespace mosaren
