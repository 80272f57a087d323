#pragma once

// A tiler with its two previews, its settings, scripted dialogs and a folder of its own, at the
// display depth the expected files are stated for.

#include <gtest/gtest.h>

#include "raster/bitmap.h"
#include "raster/canvas.h"
#include "raster/graphics/graphics.h"
#include "tiling/support/bmp_files.h"
#include "tiling/support/scripted_file_dialog.h"
#include "tiling/tiler.h"

namespace mosaren::testing {

inline constexpr Colour kMask = ColourOf(255, 0, 255);

class TilerFixture : public ::testing::Test {
protected:
    void SetUp() override { gdi::SetDisplayDepth(32); }

    // Every pixel of a bitmap, from the top-left, row by row.
    static std::vector<Colour> PixelsOf(TBitmap& bitmap) {
        std::vector<Colour> pixels;
        for (int y = 0; y < bitmap.ImageHeight(); ++y) {
            for (int x = 0; x < bitmap.ImageWidth(); ++x) {
                pixels.push_back(bitmap.DrawingSurface().ReadPixel(x, y));
            }
        }
        return pixels;
    }

    TTileSettings mSettings;
    TBitmap mTexturePreview;
    TBitmap mTilePreview;
    Tiler mTiler{mSettings, mTexturePreview, mTilePreview};
    TempFolder mFolder;
};

}  // namespace mosaren::testing
