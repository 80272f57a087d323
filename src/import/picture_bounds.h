#pragma once

// What reading one texture may cost. Every picture is held to the raster layer's cap of 1 GiB of
// pixels from its header; a picture that a reader must decode whole (any format but PNG and
// JPEG, an interlaced PNG, a turned JPEG for blocks) is held to a tighter bound, which keeps
// both its memory and its decoding time within what one texture may take (1 GiB, 10 s); and a
// JPEG file in many scans (progressive) is held to a bound on its scans, each of which passes
// over the whole picture.

#include <cstdint>
#include <string>

namespace mosaren {

// Pixels of a picture decoded whole: 256 MB at four bytes a pixel (8192 × 8192).
inline constexpr std::uint64_t kWholePicturePixels = std::uint64_t{1} << 26;
// Scans of a JPEG file in several scans; the encoders' own progressions take about ten.
inline constexpr std::uint64_t kMaxJpegScans = 100;
// Scans × picture blocks of 8 × 8 pixels of every component that such a file may ask for.
inline constexpr std::uint64_t kMaxJpegScanBlocks = std::uint64_t{1} << 28;
// Bytes of the coefficients that a JPEG file in several scans keeps while it is decoded.
inline constexpr std::uint64_t kMaxJpegCoefficientBytes = std::uint64_t{512} << 20;

// Raises EInvalidGraphic "The picture cannot be read: <what>, more than the <limit> <unit> a
// texture may <take>" for a picture beyond one of the bounds above.
[[noreturn]] void RefuseBeyondBound(const std::string& what, std::uint64_t limit,
                                    const std::string& unit);

// Refuses a picture of width × height pixels that must be decoded whole and has more pixels than
// kWholePicturePixels.
void CheckWholePicture(std::int64_t width, std::int64_t height);

// The decoding of a picture whole, for as long as it runs. It refuses the picture as
// CheckWholePicture does, then takes its pixels from a budget of kWholePicturePixels that every
// thread of the process shares, waiting while other decodings hold too much of it: with --jobs N
// the pictures decoded at once take no more together than one texture may. A decoding on a
// thread that is decoding already (a reader that hands over to another) takes nothing more, so
// that it never waits for itself.
class WholeDecoding {
public:
    WholeDecoding(std::int64_t width, std::int64_t height);
    ~WholeDecoding();
    WholeDecoding(const WholeDecoding&) = delete;
    WholeDecoding& operator=(const WholeDecoding&) = delete;

private:
    std::uint64_t mPixels = 0;
};

}  // namespace mosaren
