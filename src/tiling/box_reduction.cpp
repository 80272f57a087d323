#include "box_reduction.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "linear_light.h"
#include "raster/exceptions.h"
#include "unrolled.h"

namespace mosaren {

namespace {

const std::array<float, 256>& LinearFloatTable() {
    static const std::array<float, 256> table = [] {
        std::array<float, 256> t{};
        for (int i = 0; i < 256; ++i) t[static_cast<std::size_t>(i)] = static_cast<float>(LinearOfSrgb(static_cast<std::uint8_t>(i)));
        return t;
    }();
    return table;
}

// How many reduced texels a tile pixel spans each way, at least. Two would do for a texture of
// soft detail; a hard edge (an alpha hole's) falls anywhere in a reduced texel and is spread
// over it, so half a pixel's blur at two shows at 36 dB. White noise, whose every texel differs,
// is the hardest: 42.6 dB at three, 44.7 at three and a half, where a 512² texture at the
// default tile size is reduced by four rather than two.
constexpr double kReducedTexelsAcross = 3.5;

}  // namespace

std::int32_t ReductionFactor(std::int32_t width, std::int32_t height, double pixelArea) {
    const auto most =
        static_cast<std::int32_t>(std::floor(std::sqrt(pixelArea) / kReducedTexelsAcross));
    for (std::int32_t factor = std::min({most, width, height}); factor > 1; --factor) {
        if (width % factor == 0 && height % factor == 0) return factor;
    }
    return 1;
}

BoxReduction::BoxReduction(std::int32_t width, std::int32_t height, std::int32_t factor,
                           bool withAlpha, SmoothTile* into)
    : mWidth(width / factor),
      mHeight(height / factor),
      mFactor(factor),
      mChannels(withAlpha ? 7 : 3),
      mInto(into),
      mSums(static_cast<std::size_t>(mHeight)),
      mAdded(static_cast<std::size_t>(mHeight), 0),
      mFed(static_cast<std::size_t>(mHeight), false) {
    if (factor < 1 || width % factor != 0 || height % factor != 0) {
        throw EInvalidOperation("A texture is reduced only by a factor of both its sides");
    }
}

float* BoxReduction::SumsOf(std::int32_t r) {
    std::vector<float>& sums = mSums[static_cast<std::size_t>(r)];
    if (sums.empty()) {
        if (!mSpare.empty()) {
            sums.swap(mSpare.back());
            mSpare.pop_back();
        }
        sums.assign(static_cast<std::size_t>(mWidth) * mChannels, 0.0f);
    }
    return sums.data();
}

void BoxReduction::FeedRow(std::int32_t r, SmoothTile& tile) {
    const double share = 1.0 / (double(mFactor) * mFactor);
    const std::size_t rowValues = static_cast<std::size_t>(mWidth) * mChannels;
    mRow.resize(rowValues);
    std::vector<float>& sums = mSums[static_cast<std::size_t>(r)];
    if (sums.empty()) {
        std::fill(mRow.begin(), mRow.end(), 0.0);
    } else {
        for (std::size_t i = 0; i < rowValues; ++i) mRow[i] = sums[i] * share;
        mSpare.push_back(std::move(sums));
        sums.clear();
    }
    tile.AddLinearRow(r, mRow.data());
    mFed[static_cast<std::size_t>(r)] = true;
}

void BoxReduction::AddRow(std::int32_t y, const std::uint8_t* rgba) {
    AddRowOf(y, [rgba](std::size_t i) {
        const std::uint8_t* t = rgba + 4 * i;
        return std::array<std::uint8_t, 4>{t[0], t[1], t[2], t[3]};
    });
}

void BoxReduction::AddRow(std::int32_t y, const TColor* colours, const std::uint8_t* alpha) {
    AddRowOf(y, [colours, alpha](std::size_t i) {
        const TColor c = colours[i];
        return std::array<std::uint8_t, 4>{RedOf(c), GreenOf(c), BlueOf(c),
                                           alpha ? alpha[i] : std::uint8_t{255}};
    });
}

void BoxReduction::AddRow(std::int32_t y, const std::uint8_t* bytes, const ByteTexels& texels) {
    const auto of = [&](auto step) {
        return [bytes, &texels](std::size_t i) {
            const std::uint8_t* t = bytes + decltype(step)::value * i;
            return std::array<std::uint8_t, 4>{t[texels.red], t[texels.green], t[texels.blue],
                                               255};
        };
    };
    // A file's pixels are 3 or 4 bytes apart, fixed so that the loops over them unroll.
    if (texels.step == 3) {
        AddRowOf(y, of(std::integral_constant<std::size_t, 3>{}));
    } else {
        AddRowOf(y, of(std::integral_constant<std::size_t, 4>{}));
    }
}

template <typename Texel>
void BoxReduction::AddRowOf(std::int32_t y, const Texel& texel) {
    // Each box's sums are kept in plain variables, so that they stay in registers; the usual
    // factors are constants, so that their loops unroll.
    float* sums = SumsOf(y / mFactor);
    const auto run = [&](auto fixed) {
        if (mChannels == 3) {
            ReduceRow<3, decltype(fixed)::value>(texel, sums);
        } else {
            ReduceRow<7, decltype(fixed)::value>(texel, sums);
        }
    };
    switch (mFactor) {
        case 2: run(std::integral_constant<std::size_t, 2>{}); break;
        case 4: run(std::integral_constant<std::size_t, 4>{}); break;
        case 8: run(std::integral_constant<std::size_t, 8>{}); break;
        case 16: run(std::integral_constant<std::size_t, 16>{}); break;
        default: run(std::integral_constant<std::size_t, 0>{}); break;
    }
    RowAdded(y / mFactor);
}

template <std::size_t C, std::size_t Factor, typename Texel>
void BoxReduction::ReduceRow(const Texel& texel, float* sums) const {
    const std::array<float, 256>& linear = LinearFloatTable();
    const std::size_t factor = Factor != 0 ? Factor : static_cast<std::size_t>(mFactor);
    const auto add = [&](float* box, std::size_t i) {
        const std::array<std::uint8_t, 4> t = texel(i);
        const float red = linear[t[0]];
        const float green = linear[t[1]];
        const float blue = linear[t[2]];
        if constexpr (C == 7) {
            const float share = t[3] * (1.0f / 255.0f);
            box[0] += red * share;
            box[1] += green * share;
            box[2] += blue * share;
            box[3] += share;
            box[4] += red;
            box[5] += green;
            box[6] += blue;
        } else {
            box[0] += red;
            box[1] += green;
            box[2] += blue;
        }
    };
    // A box's texels go into four sums in turn: each addition then waits on the one four texels
    // back, long done, rather than on the one just before.
    std::size_t i = 0;
    for (std::int32_t rx = 0; rx < mWidth; ++rx, sums += C) {
        float a[C] = {};
        float b[C] = {};
        float c[C] = {};
        float d[C] = {};
        std::size_t j = 0;
        for (; j + 4 <= factor; j += 4, i += 4) {
            add(a, i);
            add(b, i + 1);
            add(c, i + 2);
            add(d, i + 3);
        }
        for (; j < factor; ++j) add(a, i++);
        ForEachChannel<C>([&](std::size_t k) { sums[k] += (a[k] + b[k]) + (c[k] + d[k]); });
    }
}

void BoxReduction::RowAdded(std::int32_t r) {
    if (++mAdded[static_cast<std::size_t>(r)] == mFactor && mInto) FeedRow(r, *mInto);
}

void BoxReduction::Feed(SmoothTile& tile) {
    for (std::int32_t r = 0; r < mHeight; ++r) {
        if (!mFed[static_cast<std::size_t>(r)]) FeedRow(r, tile);
    }
}

}  // namespace mosaren
