#include "tiling/rotate_bitmap.h"

#include <gtest/gtest.h>

#include <cmath>

#include "raster/bitmap.h"
#include "support/plain_rotation.h"
#include "tiling/tile_settings.h"

namespace mosaren {
namespace {

// A 24-bit texture whose every pixel differs: blue = x, green = y, red = (x + y) mod 256, with
// the texture's own width and height.
void MakeTexture(TBitmap& texture, int width, int height) {
    texture.ConvertDepth(TPixelDepth::Depth24);
    texture.SetImageWidth(width);
    texture.SetImageHeight(height);
    for (int y = 0; y < height; ++y) {
        std::uint8_t* row = texture.RowAddress(y);
        for (int x = 0; x < width; ++x) {
            row[3 * x] = static_cast<std::uint8_t>(x);
            row[3 * x + 1] = static_cast<std::uint8_t>(y);
            row[3 * x + 2] = static_cast<std::uint8_t>(x + y);
        }
    }
}

struct Bgr {
    std::uint8_t b, g, r;
    friend bool operator==(const Bgr&, const Bgr&) = default;
};

Bgr At(TBitmap& bitmap, int x, int y) {
    const std::uint8_t* p = bitmap.RowAddress(y) + 3 * x;
    return {p[0], p[1], p[2]};
}

class RotateBitmapTest : public ::testing::Test {
protected:
    void Rotate() { RotateBitmap(texture, frame, TPoint{127, 127}, 45.0, settings); }
    Bgr TexturePixel(int x, int y) { return {std::uint8_t(x), std::uint8_t(y), std::uint8_t(x + y)}; }
    Bgr Mask() const { return {settings.MaskB, settings.MaskG, settings.MaskR}; }

    TTileSettings settings;
    TBitmap texture;
    TBitmap frame;
};

TEST_F(RotateBitmapTest, TheTurnUsesTheDoublesNearestToHalfRootTwo) {
    const double t = static_cast<double>(static_cast<long double>(-45.0) *
                                         3.14159265358979323846264338327950288L / 180.0f);
    const double s = std::sin(t);
    const double c = std::cos(t);
    EXPECT_EQ(s, -0.70710678118654746);
    EXPECT_EQ(c, 0.70710678118654757);
    EXPECT_LT(std::fabs(s), c);
    EXPECT_EQ(std::nextafter(std::fabs(s), 1.0), c);
}

TEST_F(RotateBitmapTest, EveryFramePixelMatchesThePlainFormula) {
    MakeTexture(texture, 255, 255);
    Rotate();
    ASSERT_EQ(frame.ImageWidth(), 360);
    ASSERT_EQ(frame.ImageHeight(), 360);
    ASSERT_EQ(frame.PixelDepth(), TPixelDepth::Depth24);
    int texturePixels = 0;
    for (int y = 0; y < 360; ++y) {
        for (int x = 0; x < 360; ++x) {
            const auto [sx, sy] = testing::PlainRotationSample(x, y, 127, 127, 45.0);
            const bool inside = sx >= 0 && sx < 255 && sy >= 0 && sy < 255;
            const Bgr expected = inside ? TexturePixel(int(sx), int(sy)) : Mask();
            ASSERT_EQ(At(frame, x, y), expected) << "frame pixel " << x << "," << y;
            texturePixels += inside;
        }
    }
    // About half of the frame shows the texture.
    EXPECT_NEAR(texturePixels, 360 * 360 / 2, 360 * 4);
}

TEST_F(RotateBitmapTest, NamedPixelsOfTheDiamond) {
    MakeTexture(texture, 255, 255);
    Rotate();
    struct Case {
        int x, y;
        int sx, sy;  // -1: mask
    };
    const Case cases[] = {
        {179, 0, 0, 0},       {359, 180, 254, 0},  {179, 359, 254, 254}, {0, 179, 0, 253},
        {179, 179, 127, 127}, {180, 180, 128, 127}, {0, 0, -1, -1},      {359, 0, -1, -1},
        {0, 359, -1, -1},     {359, 359, -1, -1},   {359, 179, -1, -1},
    };
    for (const Case& c : cases) {
        const Bgr expected = c.sx < 0 ? Mask() : TexturePixel(c.sx, c.sy);
        EXPECT_EQ(At(frame, c.x, c.y), expected) << c.x << "," << c.y;
    }
}

TEST_F(RotateBitmapTest, OuterRowsAndColumnsShowTheTextureOnlyAtTheVertices) {
    MakeTexture(texture, 255, 255);
    Rotate();
    auto textured = [&](int x, int y) { return !(At(frame, x, y) == Mask()); };
    for (int i = 0; i < 360; ++i) {
        EXPECT_EQ(textured(i, 0), i == 179) << "row 0, x " << i;
        EXPECT_EQ(textured(i, 359), i >= 178 && i <= 180) << "row 359, x " << i;
        EXPECT_EQ(textured(0, i), i >= 179 && i <= 181) << "column 0, y " << i;
        EXPECT_EQ(textured(359, i), i == 180) << "column 359, y " << i;
    }
}

TEST_F(RotateBitmapTest, MaskColourFillsOutsideAndNothingInside) {
    MakeTexture(texture, 255, 255);
    Rotate();
    TBitmap defaultFrame;
    defaultFrame.AssignImage(frame);

    settings.MaskR = 1;
    settings.MaskG = 2;
    settings.MaskB = 3;
    TBitmap recoloured;
    RotateBitmap(texture, recoloured, TPoint{127, 127}, 45.0, settings);
    for (int y = 0; y < 360; ++y) {
        for (int x = 0; x < 360; ++x) {
            const auto [sx, sy] = testing::PlainRotationSample(x, y, 127, 127, 45.0);
            const bool inside = sx >= 0 && sx < 255 && sy >= 0 && sy < 255;
            if (inside) {
                ASSERT_EQ(At(recoloured, x, y), At(defaultFrame, x, y));
            } else {
                ASSERT_EQ(At(recoloured, x, y), (Bgr{3, 2, 1}));
            }
        }
    }
}

TEST_F(RotateBitmapTest, AllMaskTextureGivesAllMaskFrame) {
    texture.ConvertDepth(TPixelDepth::Depth24);
    texture.SetImageWidth(255);
    texture.SetImageHeight(255);
    for (int y = 0; y < 255; ++y) {
        std::uint8_t* row = texture.RowAddress(y);
        for (int x = 0; x < 255; ++x) {
            row[3 * x] = 255;
            row[3 * x + 1] = 0;
            row[3 * x + 2] = 255;
        }
    }
    Rotate();
    for (int y = 0; y < 360; ++y) {
        for (int x = 0; x < 360; ++x) ASSERT_EQ(At(frame, x, y), Mask());
    }
}

TEST_F(RotateBitmapTest, FrameSizeFollowsTheSourceAndTheCentreStays) {
    MakeTexture(texture, 100, 40);
    Rotate();
    EXPECT_EQ(frame.ImageWidth(), 205);
    EXPECT_EQ(frame.ImageHeight(), 145);
    for (int y = 0; y < 145; ++y) {
        for (int x = 0; x < 205; ++x) {
            const auto [sx, sy] = testing::PlainRotationSample(x, y, 127, 127, 45.0);
            const bool inside = sx >= 0 && sx < 100 && sy >= 0 && sy < 40;
            ASSERT_EQ(At(frame, x, y), inside ? TexturePixel(int(sx), int(sy)) : Mask()) << x << "," << y;
        }
    }
}

TEST_F(RotateBitmapTest, OtherAnglesAndLargeOffsetsStillFollowTheFormula) {
    // Angles whose sine or cosine is tiny, and a frame wide enough for the offsets to need the
    // extended-precision path.
    for (double angle : {30.0, 90.0, 180.0, -12.5}) {
        MakeTexture(texture, 64, 48);
        TBitmap turned;
        RotateBitmap(texture, turned, TPoint{20, 30}, angle, settings);
        for (int y = 0; y < turned.ImageHeight(); y += 3) {
            for (int x = 0; x < turned.ImageWidth(); x += 3) {
                const auto [sx, sy] = testing::PlainRotationSample(x, y, 20, 30, angle);
                const bool inside = sx >= 0 && sx < 64 && sy >= 0 && sy < 48;
                ASSERT_EQ(At(turned, x, y), inside ? TexturePixel(int(sx), int(sy)) : Mask())
                    << angle << ": " << x << "," << y;
            }
        }
    }
}

TEST_F(RotateBitmapTest, EachCallFollowsItsOwnSizeCentreAndAngle) {
    // The sampling of one call must not be reused for another whose source size, centre or
    // angle differs, however the calls follow each other.
    struct Call {
        int width, height;
        TPoint centre;
        double angle;
    };
    // Each call after the first changes one of them.
    for (const Call& call : {Call{255, 255, {127, 127}, 45.0}, Call{100, 255, {127, 127}, 45.0},
                             Call{100, 40, {127, 127}, 45.0}, Call{100, 40, {20, 127}, 45.0},
                             Call{100, 40, {20, 30}, 45.0}, Call{100, 40, {20, 30}, 30.0},
                             Call{255, 255, {127, 127}, 45.0}}) {
        MakeTexture(texture, call.width, call.height);
        TBitmap turned;
        RotateBitmap(texture, turned, call.centre, call.angle, settings);
        for (int y = 0; y < turned.ImageHeight(); ++y) {
            for (int x = 0; x < turned.ImageWidth(); ++x) {
                const auto [sx, sy] =
                    testing::PlainRotationSample(x, y, call.centre.X, call.centre.Y, call.angle);
                const bool inside = sx >= 0 && sx < call.width && sy >= 0 && sy < call.height;
                ASSERT_EQ(At(turned, x, y), inside ? TexturePixel(int(sx), int(sy)) : Mask())
                    << call.width << "x" << call.height << " at " << call.angle << ": " << x << "," << y;
            }
        }
    }
}

TEST_F(RotateBitmapTest, TexturePixelWithTheMaskColourLooksLikeTheMask) {
    MakeTexture(texture, 255, 255);
    std::uint8_t* centre = texture.RowAddress(127) + 3 * 127;
    centre[0] = 255;
    centre[1] = 0;
    centre[2] = 255;
    Rotate();
    EXPECT_EQ(At(frame, 179, 179), Mask());
}

}  // namespace
}  // namespace mosaren
