#include "tiler.h"

#include "file_dialog.h"
#include "raster/bmp_writer.h"
#include "tile_names.h"

namespace mosaren {

Tiler::Tiler(const TTileSettings& settings, TBitmap& texturePreview, TBitmap& tilePreview)
    : mMaker(settings), mTexturePreview(texturePreview), mTilePreview(tilePreview) {}

void Tiler::TileSingleTexture(FileDialog& openDialog, FileDialog& saveDialog) {
    if (!openDialog.RunFileDialog()) {
        return;
    }
    // A texture that cannot be read or divided is refused before the user is asked for a name.
    mMaker.ReadTextureForPieces(openDialog.FileName());
    // A cancelled save dialog still makes and shows the tiles; it only writes none.
    const bool save = saveDialog.RunFileDialog();
    const std::string saveName = save ? saveDialog.FileName() : std::string{};
    for (const PiecePosition piece : mMaker.Pieces()) {
        mTexturePreview.AssignImage(mMaker.MakePieceTexture(piece));
        MakeTile();
        if (save) {
            PutTile(PieceTileName(saveName, piece, mMaker.Divided()));
        }
    }
}

void Tiler::TileBatch(FileDialog& allDialog, const BatchProgress& progress) {
    if (!allDialog.RunFileDialog() || allDialog.ChosenFiles().empty()) {
        return;
    }
    const std::vector<std::string>& textures = allDialog.ChosenFiles();
    for (std::size_t k = 0; k < textures.size(); ++k) {
        // The texture preview is left alone; the tile preview shows each tile.
        mTilePreview.AssignImage(mMaker.TileTexture(textures[k]));
        const std::string tileName = BatchTileName(textures[k]);
        PutTile(tileName);
        if (progress) {
            progress(k + 1, textures.size(), textures[k], tileName);
        }
    }
}

void Tiler::MakeTile() {
    mMaker.MakeTile();
    mTilePreview.AssignImage(mMaker.Tile());
}

void Tiler::PutTile(const std::string& fileName) {
    if (mTileOutput) {
        mTileOutput(Tile(), fileName);
    } else {
        WriteBmpFile(Tile(), fileName);
    }
}

}  // namespace mosaren
