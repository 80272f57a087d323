#include "rotate_bitmap.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <cstdint>
#include <span>
#include <vector>

#include "raster/bitmap.h"
#include "raster/exceptions.h"
#include "tile_settings.h"

namespace mosaren {

namespace {

// π to the 64 bits of an extended mantissa.
constexpr long double kPi = 3.14159265358979323846264338327950288L;

// Where frame pixel offsets (xx, yy), in half-pixel units from the turning point, sample the
// source: u = xx·c − yy·s and v = xx·s + yy·c, rounded to the nearest integer, ties to even.
//
// The products and sums are meant in extended precision. c and s are doubles, so each is an
// integer multiple of 2^−e for some e; when |xx|·|c·2^e| + |yy|·|s·2^e| stays below 2^63 the
// exact value of u·2^e is a 64-bit integer. Such a value has at most 64 significant bits, so
// extended precision holds every product and sum exactly and its rounding to an integer is the
// rounding of that exact 64-bit value, which integer arithmetic gives without any float at all.
class SampleMapper {
public:
    SampleMapper(double c, double s, std::int64_t maxOffset) : mC(c), mS(s) {
        int expC = 0;
        int expS = 0;
        std::frexp(c, &expC);
        std::frexp(s, &expS);
        // A double's last mantissa bit is worth 2^(exponent − 53).
        mShift = 53 - std::min(c == 0 ? 1 : expC, s == 0 ? 1 : expS);
        if (mShift < 1 || mShift > 62) return;
        const long double scaledC = std::ldexp(static_cast<long double>(c), mShift);
        const long double scaledS = std::ldexp(static_cast<long double>(s), mShift);
        const long double bound = (std::fabs(scaledC) + std::fabs(scaledS)) * maxOffset;
        if (bound >= 0x1p63L) return;
        mScaledC = static_cast<std::int64_t>(scaledC);
        mScaledS = static_cast<std::int64_t>(scaledS);
        mExact = true;
    }

    // u and v in extended precision, for turns the integer form cannot hold.
    std::int64_t ExtendedU(std::int64_t xx, std::int64_t yy) const {
        return std::llrint(static_cast<long double>(xx) * mC - static_cast<long double>(yy) * mS);
    }
    std::int64_t ExtendedV(std::int64_t xx, std::int64_t yy) const {
        return std::llrint(static_cast<long double>(xx) * mS + static_cast<long double>(yy) * mC);
    }

    bool Exact() const { return mExact; }
    std::int64_t ScaledC() const { return mScaledC; }
    std::int64_t ScaledS() const { return mScaledS; }
    // n · 2^−e rounded to the nearest integer, ties to even.
    std::int64_t RoundScaled(std::int64_t n) const {
        const std::int64_t floor = n >> mShift;  // arithmetic shift: floor division
        const std::int64_t rest = n - (floor << mShift);
        const std::int64_t half = std::int64_t{1} << (mShift - 1);
        if (rest > half || (rest == half && (floor & 1) != 0)) return floor + 1;
        return floor;
    }

private:
    double mC;
    double mS;
    int mShift = 0;
    std::int64_t mScaledC = 0;
    std::int64_t mScaledS = 0;
    bool mExact = false;
};

// The samples of a frame depend only on the source's size, the centre and the angle, which are
// the same for every tile of a run; the map is worked out once and kept for the next call.
struct SampleMap {
    std::int32_t width = -1;
    std::int32_t height = -1;
    TPoint centre{};
    double angle = 0;
    std::vector<RotationSample> samples;
};

std::vector<std::int32_t> Counting(std::int32_t count) {
    std::vector<std::int32_t> numbers(static_cast<std::size_t>(count));
    for (std::int32_t i = 0; i < count; ++i) numbers[static_cast<std::size_t>(i)] = i;
    return numbers;
}

}  // namespace

std::vector<RotationSample> RotationSamplesAt(std::int32_t width, std::int32_t height,
                                              const TPoint& centre, double angle,
                                              std::span<const std::int32_t> frameColumns,
                                              std::span<const std::int32_t> frameRows) {
    const std::int32_t frameWidth = width + kFrameMargin;
    const std::int32_t frameHeight = height + kFrameMargin;

    // The turn in radians: π in extended precision over a single-precision 180, held as a double.
    const double t = static_cast<double>(static_cast<long double>(-angle) * kPi / 180.0f);
    const double s = std::sin(t);
    const double c = std::cos(t);

    // Offsets in half-pixel units: xx = 2·(x − cx) + 1 − 105, and the same for yy. Whether the
    // integer form holds depends on the whole frame, whichever of its pixels are asked for.
    auto offset = [](std::int32_t p, std::int32_t centreCoordinate) {
        return 2 * (std::int64_t{p} - centreCoordinate) + 1 - kFrameMargin;
    };
    const std::int64_t maxOffset =
        std::max({std::abs(offset(0, centre.X)), std::abs(offset(frameWidth - 1, centre.X)),
                  std::abs(offset(0, centre.Y)), std::abs(offset(frameHeight - 1, centre.Y))});
    const SampleMapper mapper(c, s, maxOffset);

    // Per-column terms, computed once: xx·c and xx·s in the mapper's scale.
    std::vector<std::int64_t> columnC(frameColumns.size());
    std::vector<std::int64_t> columnS(frameColumns.size());
    for (std::size_t i = 0; i < frameColumns.size(); ++i) {
        columnC[i] = offset(frameColumns[i], centre.X) * mapper.ScaledC();
        columnS[i] = offset(frameColumns[i], centre.X) * mapper.ScaledS();
    }

    std::vector<RotationSample> samples(frameColumns.size() * frameRows.size());
    RotationSample* sample = samples.data();
    for (const std::int32_t y : frameRows) {
        const std::int64_t yy = offset(y, centre.Y);
        const std::int64_t rowS = yy * mapper.ScaledS();
        const std::int64_t rowC = yy * mapper.ScaledC();
        for (std::size_t i = 0; i < frameColumns.size(); ++i, ++sample) {
            std::int64_t u;
            std::int64_t v;
            if (mapper.Exact()) {
                u = mapper.RoundScaled(columnC[i] - rowS);
                v = mapper.RoundScaled(columnS[i] + rowC);
            } else {
                u = mapper.ExtendedU(offset(frameColumns[i], centre.X), yy);
                v = mapper.ExtendedV(offset(frameColumns[i], centre.X), yy);
            }
            // Division truncates toward zero, as the mapping asks: (−1) div 2 = 0.
            const std::int64_t sx = (u - 1) / 2 + centre.X;
            const std::int64_t sy = (v - 1) / 2 + centre.Y;
            const bool onSource = sx >= 0 && sx < width && sy >= 0 && sy < height;
            *sample = onSource ? RotationSample{static_cast<std::int32_t>(sx),
                                                static_cast<std::int32_t>(sy)}
                               : RotationSample{0, -1};
        }
    }
    return samples;
}

const std::vector<RotationSample>& RotationSamples(std::int32_t width, std::int32_t height,
                                                   const TPoint& centre, double angle) {
    thread_local SampleMap last;
    const bool same = last.width == width && last.height == height && last.centre.X == centre.X &&
                      last.centre.Y == centre.Y &&
                      std::memcmp(&last.angle, &angle, sizeof angle) == 0;
    if (!same) {
        // Forget the old map first, so that a failure to make the new one leaves no stale key.
        last = SampleMap{};
        last.samples = RotationSamplesAt(width, height, centre, angle,
                                         Counting(width + kFrameMargin),
                                         Counting(height + kFrameMargin));
        last.width = width;
        last.height = height;
        last.centre = centre;
        last.angle = angle;
    }
    return last.samples;
}

void RotateBitmap(const TBitmap& source, TBitmap& destination, const TPoint& centreArgument,
                  double angle, const TTileSettings& settings) {
    const TPoint centre = centreArgument;
    const std::int32_t width = source.ImageWidth();
    const std::int32_t height = source.ImageHeight();
    const std::int32_t frameWidth = width + kFrameMargin;
    const std::int32_t frameHeight = height + kFrameMargin;

    destination.SetImageWidth(frameWidth);
    destination.SetImageHeight(frameHeight);
    destination.ConvertDepth(TPixelDepth::Depth24);

    // The source is only read, each row address fetched once; the rows of a device-form source
    // are not in memory, so only a 24-bit source is accepted.
    std::vector<const std::uint8_t*> sourceRows;
    if (width > 0 && height > 0) {
        if (source.PixelDepth() != TPixelDepth::Depth24) {
            throw EInvalidGraphic(messages::kInvalidPixelFormat);
        }
        sourceRows.resize(static_cast<std::size_t>(height));
        for (std::int32_t y = 0; y < height; ++y) sourceRows[y] = source.ReadOnlyRowAddress(y);
    }

    const std::vector<RotationSample>& samples = RotationSamples(width, height, centre, angle);
    const std::uint8_t mask[3] = {settings.MaskB, settings.MaskG, settings.MaskR};
    const RotationSample* sample = samples.data();
    for (std::int32_t y = 0; y < frameHeight; ++y) {
        std::uint8_t* out = destination.RowAddress(y);
        for (std::int32_t x = 0; x < frameWidth; ++x, ++sample, out += 3) {
            const std::uint8_t* from =
                sample->row < 0 ? mask : sourceRows[sample->row] + 3 * sample->column;
            out[0] = from[0];
            out[1] = from[1];
            out[2] = from[2];
        }
    }
}

}  // namespace mosaren
