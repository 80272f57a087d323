#include "export/tile_sheet.h"

#include <gtest/gtest.h>

#include "raster/exceptions.h"

namespace mosaren {
namespace {

TEST(SquareColumns, AreTheLeastSquareThatHoldsTheTiles) {
    const std::pair<std::size_t, std::int32_t> cases[] = {
        {0, 1}, {1, 1}, {2, 2}, {4, 2}, {5, 3}, {9, 3}, {10, 4}, {399, 20}, {400, 20}, {401, 21}};
    for (const auto& [count, columns] : cases) {
        EXPECT_EQ(SquareColumns(count), columns) << count;
    }
}

TEST(SheetLayout, SizesCountMarginOnBothSidesAndSpacingBetweenCellsOnly) {
    // 5 tiles of 10 x 4, 3 columns, so 2 rows; margin 2, spacing 3.
    const SheetLayout layout = LayOutSheet(5, 10, 4, 3, 2, 3);
    EXPECT_EQ(layout.columns, 3);
    EXPECT_EQ(layout.rows, 2);
    EXPECT_EQ(layout.Width(), 2 + 10 + 3 + 10 + 3 + 10 + 2);
    EXPECT_EQ(layout.Height(), 2 + 4 + 3 + 4 + 2);
    // Row by row from the top-left.
    const std::pair<std::int32_t, std::int32_t> origins[] = {
        {2, 2}, {15, 2}, {28, 2}, {2, 9}, {15, 9}};
    for (std::size_t k = 0; k < 5; ++k) {
        EXPECT_EQ(layout.CellLeft(k), origins[k].first) << k;
        EXPECT_EQ(layout.CellTop(k), origins[k].second) << k;
    }
}

TEST(SheetLayout, NoColumnsAsksForTheSquareGrid) {
    const SheetLayout layout = LayOutSheet(10, 72, 36, 0, 0, 0);
    EXPECT_EQ(layout.columns, 4);
    EXPECT_EQ(layout.rows, 3);
}

// A tile whose every pixel is opaque and different: pixel (x, y) has red x, green y, blue k.
RgbaImage NumberedTile(std::int32_t w, std::int32_t h, std::uint8_t k) {
    RgbaImage tile(w, h);
    for (std::int32_t y = 0; y < h; ++y) {
        for (std::int32_t x = 0; x < w; ++x) {
            tile.At(x, y) =
                Rgba{static_cast<std::uint8_t>(x), static_cast<std::uint8_t>(y), k, 255};
        }
    }
    return tile;
}

TEST(ComposeSheet, PutsEachTileInItsCellAndLeavesTheGapsTransparent) {
    const std::vector<RgbaImage> tiles = {NumberedTile(5, 3, 0), NumberedTile(5, 3, 1),
                                          NumberedTile(5, 3, 2)};
    const SheetLayout layout = LayOutSheet(3, 5, 3, 2, 1, 2);
    const RgbaImage sheet = ComposeSheet(tiles, layout, 0);
    ASSERT_EQ(sheet.Width(), layout.Width());
    ASSERT_EQ(sheet.Height(), layout.Height());
    std::size_t opaque = 0;
    for (std::int32_t y = 0; y < sheet.Height(); ++y) {
        for (std::int32_t x = 0; x < sheet.Width(); ++x) {
            if (sheet.At(x, y).a != 0) ++opaque;
        }
    }
    EXPECT_EQ(opaque, 3u * 5 * 3);
    for (std::size_t k = 0; k < 3; ++k) {
        for (std::int32_t y = 0; y < 3; ++y) {
            for (std::int32_t x = 0; x < 5; ++x) {
                ASSERT_EQ(sheet.At(layout.CellLeft(k) + x, layout.CellTop(k) + y),
                          tiles[k].At(x, y))
                    << k << " " << x << "," << y;
            }
        }
    }
}

TEST(ComposeSheet, ExtrusionRepeatsTheEdgePixelStraightAcrossAndTheCornerDiagonally) {
    const std::vector<RgbaImage> tiles = {NumberedTile(4, 3, 0), NumberedTile(4, 3, 1)};
    const std::int32_t extrude = 2;
    const SheetLayout layout = LayOutSheet(2, 4, 3, 2, extrude, 2 * extrude);
    const RgbaImage sheet = ComposeSheet(tiles, layout, extrude);
    // Every sheet pixel lies in exactly one cell widened by the extrusion, since the gaps are
    // just wide enough; it shows the tile pixel nearest to it.
    for (std::int32_t y = 0; y < sheet.Height(); ++y) {
        for (std::int32_t x = 0; x < sheet.Width(); ++x) {
            const std::size_t k = x < layout.CellLeft(1) - extrude ? 0 : 1;
            const std::int32_t tx = std::clamp(x - layout.CellLeft(k), 0, 3);
            const std::int32_t ty = std::clamp(y - layout.CellTop(k), 0, 2);
            ASSERT_EQ(sheet.At(x, y), tiles[k].At(tx, ty)) << x << "," << y;
        }
    }
}

TEST(ComposeSheet, TransparentEdgePixelsExtrudeAsTransparent) {
    RgbaImage tile(3, 3);
    tile.At(1, 1) = Rgba{9, 9, 9, 255};
    tile.At(1, 0) = Rgba{7, 7, 7, 255};  // the only opaque edge pixel
    const SheetLayout layout = LayOutSheet(1, 3, 3, 1, 2, 4);
    const RgbaImage sheet = ComposeSheet({tile}, layout, 2);
    EXPECT_EQ(sheet.At(3, 0), (Rgba{7, 7, 7, 255}));
    EXPECT_EQ(sheet.At(3, 1), (Rgba{7, 7, 7, 255}));
    EXPECT_EQ(sheet.At(2, 0), kTransparent);
    EXPECT_EQ(sheet.At(0, 3), kTransparent);
}

TEST(ComposeSheet, RefusesASheetTooLargeToHold) {
    const SheetLayout layout = LayOutSheet(999 * 999, 255, 255, 999, 0, 255);
    EXPECT_THROW(ComposeSheet({}, layout, 0), EInvalidOperation);
}

}  // namespace
}  // namespace mosaren
