#pragma once

// A tiler with its two previews, its settings, scripted dialogs and a folder of its own, at the
// display depth the expected files are stated for.

#include <gtest/gtest.h>

#include "raster/bitmap.h"
#include "raster/canvas.h"
#include "support/bmp_builder.h"
#include "support/bmp_picture.h"
#include "support/display_depth.h"
#include "support/files.h"
#include "support/pixel_grid.h"
#include "tiling/support/scripted_file_dialog.h"
#include "tiling/tiler.h"

namespace mosaren::testing {

inline constexpr TColor kMask = Rgb(255, 0, 255);

class TilerFixture : public ::testing::Test {
protected:
    ScopedDisplayDepth mDepth{32};
    TTileSettings mSettings;
    TBitmap mTexturePreview;
    TBitmap mTilePreview;
    Tiler mTiler{mSettings, mTexturePreview, mTilePreview};
    TempFolder mFolder;
};

}  // namespace mosaren::testing
