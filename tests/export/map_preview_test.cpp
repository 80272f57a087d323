#include "export/map_preview.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace mosaren {
namespace {

constexpr std::int32_t kW = 4;
constexpr std::int32_t kH = 2;

// A tile that is transparent but for its top-left pixel, whose red tells the tile apart.
RgbaImage MarkedTile(std::uint8_t mark) {
    RgbaImage tile(kW, kH);
    tile.At(0, 0) = Rgba{mark, 0, 0, 255};
    return tile;
}

RgbaImage SolidTile(Rgba colour) {
    RgbaImage tile(kW, kH);
    for (std::int32_t y = 0; y < kH; ++y) {
        for (std::int32_t x = 0; x < kW; ++x) tile.At(x, y) = colour;
    }
    return tile;
}

TEST(MapPreview, PlacesEveryCellByTheIsometricFormulaShiftedToFit) {
    std::vector<RgbaImage> tiles;
    for (int k = 0; k < kMapSide * kMapSide; ++k)
        tiles.push_back(MarkedTile(static_cast<std::uint8_t>(k + 1)));
    const RgbaImage map = DrawMapPreview(tiles, kH);
    ASSERT_EQ(map.Width(), kMapSide * kW);
    ASSERT_EQ(map.Height(), kMapSide * kH);
    int marks = 0;
    for (const Rgba& p : map.Pixels()) marks += p.a != 0;
    EXPECT_EQ(marks, kMapSide * kMapSide);
    for (int row = 0; row < kMapSide; ++row) {
        for (int column = 0; column < kMapSide; ++column) {
            const std::int32_t x = (column - row + kMapSide - 1) * kW / 2;
            const std::int32_t y = (column + row) * kH / 2;
            EXPECT_EQ(map.At(x, y).r, row * kMapSide + column + 1) << column << "," << row;
        }
    }
}

TEST(MapPreview, RepeatsTheTilesInOrderRowByRowOrPutsEachWhereItIsTold) {
    std::vector<RgbaImage> tiles;
    for (int k = 0; k < 5; ++k) tiles.push_back(MarkedTile(static_cast<std::uint8_t>(k + 1)));
    std::vector<std::size_t> told;
    for (int k = 0; k < kMapSide * kMapSide; ++k) told.push_back((k * 7 + 3) % 5);
    const RgbaImage inOrder = DrawMapPreview(tiles, kH);
    const RgbaImage asTold = DrawMapPreview(tiles, kH, told);
    for (int row = 0; row < kMapSide; ++row) {
        for (int column = 0; column < kMapSide; ++column) {
            const std::int32_t x = (column - row + kMapSide - 1) * kW / 2;
            const std::int32_t y = (column + row) * kH / 2;
            const int cell = row * kMapSide + column;
            EXPECT_EQ(inOrder.At(x, y).r, cell % 5 + 1) << column << "," << row;
            EXPECT_EQ(asTold.At(x, y).r, told[static_cast<std::size_t>(cell)] + 1)
                << column << "," << row;
        }
    }
}

// A run's tiles in patches: for every count of tiles, each tile of the first nine shows in at
// least one patch of 2 × 2 cells that are all that tile (so it meets itself across both its
// edges), patches side by side differ, and no tile after the ninth shows.
TEST(MapPreview, ShowsTheFirstNineTilesInPatchesEachBesideItselfAndBesideOthers) {
    const int side = kMapSide;
    for (std::size_t tiles = 1; tiles <= 40; ++tiles) {
        SCOPED_TRACE(std::to_string(tiles) + " tiles");
        const std::vector<std::size_t> cells = PatchMapCells(tiles);
        ASSERT_EQ(cells.size(), static_cast<std::size_t>(side * side));
        const auto at = [&](int column, int row) {
            return cells[static_cast<std::size_t>(row * side + column)];
        };
        const std::size_t shown = std::min<std::size_t>(tiles, 9);
        std::vector<bool> inAPatch(shown, false);
        for (int row = 0; row < side; ++row) {
            for (int column = 0; column < side; ++column) {
                const std::size_t tile = at(column, row);
                ASSERT_LT(tile, shown) << column << "," << row;
                // Patches start at even cells; a patch's four cells agree.
                if (column % 2 == 0 && row % 2 == 0 && at(column + 1, row) == tile &&
                    at(column, row + 1) == tile && at(column + 1, row + 1) == tile) {
                    inAPatch[tile] = true;
                }
                // Across a patch's edge, along either axis of the map.
                if (tiles >= 2 && column % 2 == 1 && column + 1 < side) {
                    EXPECT_NE(tile, at(column + 1, row)) << column << "," << row;
                }
                if (tiles >= 2 && row % 2 == 1 && row + 1 < side) {
                    EXPECT_NE(tile, at(column, row + 1)) << column << "," << row;
                }
            }
        }
        for (std::size_t tile = 0; tile < shown; ++tile) EXPECT_TRUE(inAPatch[tile]) << tile;
    }
}

TEST(MapPreview, DrawsFrontCellsOverBackOnesButNotTheirTransparentPixels) {
    const Rgba red{200, 0, 0, 255};
    const Rgba blue{0, 0, 200, 255};
    RgbaImage holed = SolidTile(blue);
    holed.At(0, 0) = kTransparent;
    // Tile 0 in cell (0, 0) at (10, 0); tile 1 in cell (1, 0), in front of it, at (12, 1).
    const RgbaImage map = DrawMapPreview({SolidTile(red), holed}, kH);
    EXPECT_EQ(map.At(13, 1), blue);
    EXPECT_EQ(map.At(12, 1), red);
    EXPECT_EQ(map.At(0, 0), kTransparent);
}

TEST(MapPreview, BlendsTranslucentPixelsOverWhatLiesBehindThem) {
    // Tile 1, in front, is blue at a third of full opacity; tile 0 behind it opaque red or
    // transparent, where the blue stays as it is.
    const Rgba translucentBlue{0, 0, 240, 85};
    RgbaImage back = SolidTile(Rgba{240, 0, 0, 255});
    back.At(3, 1) = kTransparent;
    const RgbaImage map = DrawMapPreview({back, SolidTile(translucentBlue)}, kH);
    EXPECT_EQ(map.At(12, 1), (Rgba{160, 0, 80, 255}));
    EXPECT_EQ(map.At(13, 1), translucentBlue);
}

TEST(MapPreview, StandsTallTilesOnTheirCellsTheFrontOnesOverTheBack) {
    // Tiles 4 × 5 on cells 4 × 2: each rises 3 above its cell.
    const Rgba red{200, 0, 0, 255};
    const Rgba blue{0, 0, 200, 255};
    RgbaImage tall[2] = {RgbaImage(kW, kH + 3), RgbaImage(kW, kH + 3)};
    for (std::int32_t y = 0; y < kH + 3; ++y) {
        for (std::int32_t x = 0; x < kW; ++x) {
            tall[0].At(x, y) = red;
            tall[1].At(x, y) = blue;
        }
    }
    const RgbaImage map = DrawMapPreview({tall[0], tall[1]}, kH);
    ASSERT_EQ(map.Width(), kMapSide * kW);
    ASSERT_EQ(map.Height(), kMapSide * kH + 3);
    // Cell (0, 0), red, at (10, 0); cell (1, 0), blue, in front of it at (12, 1).
    EXPECT_EQ(map.At(10, 0), red);
    EXPECT_EQ(map.At(13, 1), blue);
    EXPECT_EQ(map.At(14, 0), kTransparent);
    // The front cell (5, 5), blue, reaches the picture's last row.
    EXPECT_EQ(map.At(10, map.Height() - 1), blue);
}

}  // namespace
}  // namespace mosaren
