#include "tiling/tile_settings.h"

#include <gtest/gtest.h>

namespace mosaren {
namespace {

TEST(TileSettingsTest, DefaultsAreMagentaSeventyTwoByThirtySixOnePiece) {
    TTileSettings settings;
    settings.MaskR = 9;
    settings.PiecesAcross = 4;
    settings.SetDefaults();
    EXPECT_EQ(settings.MaskR, 255);
    EXPECT_EQ(settings.MaskG, 0);
    EXPECT_EQ(settings.MaskB, 255);
    EXPECT_EQ(settings.TileWidth, 72);
    EXPECT_EQ(settings.TileHeight, 36);
    EXPECT_EQ(settings.PiecesAcross, 1);
    EXPECT_EQ(settings.PiecesDown, 1);
}

TEST(TileSettingsTest, TypedValuesAreStoredOnlyInsideTheirRanges) {
    struct Case {
        TileSetting field;
        std::int32_t value;
        bool stored;
    };
    const Case cases[] = {
        {TileSetting::MaskR, 0, false},        {TileSetting::MaskR, 1, true},
        {TileSetting::MaskR, 254, true},       {TileSetting::MaskR, 255, false},
        {TileSetting::MaskG, -3, false},       {TileSetting::TileHeight, 36, true},
        {TileSetting::TileWidth, 1000, false}, {TileSetting::PiecesAcross, 19, true},
        {TileSetting::PiecesAcross, 20, false}, {TileSetting::PiecesDown, 0, false},
        {TileSetting::PiecesDown, 1, true},
    };
    for (const Case& c : cases) {
        TTileSettings settings;
        settings.MaskR = settings.MaskG = settings.TileHeight = settings.TileWidth = 7;
        settings.PiecesAcross = settings.PiecesDown = 7;
        EXPECT_EQ(StoreTypedValue(settings, c.field, c.value), c.stored) << c.value;
        const std::int32_t fields[] = {settings.MaskR,      settings.MaskG,        settings.MaskB,
                                       settings.TileHeight, settings.TileWidth,    settings.PiecesAcross,
                                       settings.PiecesDown};
        const std::int32_t now = fields[static_cast<int>(c.field)];
        EXPECT_EQ(now, c.stored ? c.value : (c.field == TileSetting::MaskB ? 255 : 7)) << c.value;
    }
}

TEST(TileSettingsTest, TypingTwoFiveFiveLeavesTwentyFive) {
    TTileSettings settings;
    for (std::int32_t value : {2, 25, 255}) StoreTypedValue(settings, TileSetting::MaskR, value);
    EXPECT_EQ(settings.MaskR, 25);
}

}  // namespace
}  // namespace mosaren
