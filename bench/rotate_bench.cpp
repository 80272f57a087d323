// How fast the texture turns and the tile is made, beside the turning formula written plainly
// per pixel in extended precision, in the same run. Compare the figures within one run: the
// machines are shared and absolute times drift.

#include <benchmark/benchmark.h>

#include <cmath>

#include "raster/bitmap.h"
#include "tiling/rotate_bitmap.h"
#include "tiling/tile_settings.h"
#include "tiling/tiler.h"

namespace mosaren {
namespace {

void MakeTexture(TBitmap& texture) {
    texture.ConvertDepth(TPixelDepth::Depth24);
    texture.SetImageHeight(kWorkingTextureSide);
    texture.SetImageWidth(kWorkingTextureSide);
    for (int y = 0; y < kWorkingTextureSide; ++y) {
        std::uint8_t* row = texture.RowAddress(y);
        for (int x = 0; x < 3 * kWorkingTextureSide; ++x) row[x] = static_cast<std::uint8_t>(x * 7 + y);
    }
}

// The formula exactly as written: every product, rounding and row address per pixel.
void PlainRotate(TBitmap& source, TBitmap& destination, const TTileSettings& settings) {
    const int w = source.ImageWidth();
    const int h = source.ImageHeight();
    destination.SetImageWidth(w + kFrameMargin);
    destination.SetImageHeight(h + kFrameMargin);
    destination.ConvertDepth(TPixelDepth::Depth24);
    const long double pi = 3.14159265358979323846264338327950288L;
    const double t = static_cast<double>(static_cast<long double>(-kRotationAngle) * pi / 180.0f);
    const double s = std::sin(t);
    const double c = std::cos(t);
    const int cx = kRotationCentre;
    const int cy = kRotationCentre;
    for (int y = 0; y < h + kFrameMargin; ++y) {
        for (int x = 0; x < w + kFrameMargin; ++x) {
            const int xx = 2 * (x - cx) + 1 - kFrameMargin;
            const int yy = 2 * (y - cy) + 1 - kFrameMargin;
            const auto u = static_cast<long>(std::nearbyint(static_cast<long double>(xx) * c - static_cast<long double>(yy) * s));
            const auto v = static_cast<long>(std::nearbyint(static_cast<long double>(xx) * s + static_cast<long double>(yy) * c));
            const long sx = (u - 1) / 2 + cx;
            const long sy = (v - 1) / 2 + cy;
            std::uint8_t* out = destination.RowAddress(y) + 3 * x;
            if (sx >= 0 && sx < w && sy >= 0 && sy < h) {
                const std::uint8_t* in = source.RowAddress(static_cast<int>(sy)) + 3 * sx;
                out[0] = in[0];
                out[1] = in[1];
                out[2] = in[2];
            } else {
                out[0] = settings.MaskB;
                out[1] = settings.MaskG;
                out[2] = settings.MaskR;
            }
        }
    }
}

void BM_RotateBitmap(benchmark::State& state) {
    TTileSettings settings;
    TBitmap texture;
    MakeTexture(texture);
    TBitmap frame;
    for (auto _ : state) {
        RotateBitmap(texture, frame, TPoint{kRotationCentre, kRotationCentre}, kRotationAngle, settings);
        benchmark::DoNotOptimize(frame.RowAddress(0));
    }
}
BENCHMARK(BM_RotateBitmap)->Unit(benchmark::kMicrosecond);

void BM_PlainFormulaRotation(benchmark::State& state) {
    TTileSettings settings;
    TBitmap texture;
    MakeTexture(texture);
    TBitmap frame;
    for (auto _ : state) {
        PlainRotate(texture, frame, settings);
        benchmark::DoNotOptimize(frame.RowAddress(0));
    }
}
BENCHMARK(BM_PlainFormulaRotation)->Unit(benchmark::kMicrosecond);

void BM_MakeTile(benchmark::State& state) {
    TTileSettings settings;
    TBitmap texturePreview;
    TBitmap tilePreview;
    Tiler tiler(settings, texturePreview, tilePreview);
    MakeTexture(tiler.Texture());
    for (auto _ : state) {
        tiler.MakeTile();
        benchmark::DoNotOptimize(tilePreview.ImageWidth());
    }
}
BENCHMARK(BM_MakeTile)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace mosaren
