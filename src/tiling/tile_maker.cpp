// The common back half of both tile commands: frame, squeeze, preview.

#include "raster/canvas.h"
#include "rotate_bitmap.h"
#include "tiler.h"

namespace mosaren {

void Tiler::MakeTile() {
    mTile->SetImageHeight(mSettings.TileHeight);
    mTile->SetImageWidth(mSettings.TileWidth);
    const TRect tileRect{0, 0, mSettings.TileWidth, mSettings.TileHeight};
    const TPoint centre{kRotationCentre, kRotationCentre};

    RotateBitmap(*mTexture, *mRotated, centre, kRotationAngle, mSettings);
    // The tile stays in the device form; it is written from that form.
    mTile->DrawingSurface().DrawStretched(tileRect, mRotated.get());
    mTilePreview.AssignImage(*mTile);
}

}  // namespace mosaren
