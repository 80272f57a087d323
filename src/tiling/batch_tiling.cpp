#include "file_dialog.h"
#include "raster/bmp_reader.h"
#include "raster/canvas.h"
#include "tiler.h"

namespace mosaren {

void Tiler::TileBatch(FileDialog& allDialog, const BatchProgress& progress) {
    if (!allDialog.RunFileDialog() || allDialog.ChosenFiles().empty()) {
        return;
    }
    const std::vector<std::string>& textures = allDialog.ChosenFiles();
    const TRect workingRect{0, 0, kWorkingTextureSide, kWorkingTextureSide};
    for (std::size_t k = 0; k < textures.size(); ++k) {
        // Fresh bitmaps for every texture: nothing of the one before carries over or piles up.
        MakeFreshBitmaps(false);
        ReadBmpFile(Source(), textures[k]);
        // The texture is drawn as read, at its own depth; only the working texture is converted,
        // and the texture preview is left alone.
        Texture().SetImageHeight(kWorkingTextureSide);
        Texture().SetImageWidth(kWorkingTextureSide);
        Texture().DrawingSurface().DrawStretched(workingRect, &Source());
        Texture().ConvertDepth(TPixelDepth::Depth24);
        MakeTile();
        const std::string tileName = BatchTileName(textures[k]);
        PutTile(tileName);
        if (progress) {
            progress(k + 1, textures.size(), textures[k], tileName);
        }
    }
}

}  // namespace mosaren
