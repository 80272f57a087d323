#pragma once

// The graphics layer under TBitmap: the small stand-in for a platform graphics device interface.
// It holds device images (pixels at the display's depth, never addressed by callers) and
// device-independent sections (pixel memory in the published BMP row layout), and offers the
// few operations the bitmap needs: creation, white fill, block copy, stretch, per-pixel get and
// set, and conversion to 24 bits. Like a platform, it refuses by returning nothing and leaving
// an error code behind (LastError); the bitmap turns refusals into the program's exceptions.
//
// This header is the only way into the layer, and only the raster layer includes it.

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "../colour.h"
#include "../display_depth.h"
#include "../geometry.h"
#include "../image_limits.h"

namespace mosaren::gdi {

// The platform's name for a colour value (colour.h).
using ColorRef = TColor;

// The colour of a system-colour index (GetSysColor): a fixed classic scheme.
ColorRef SystemColour(std::uint8_t index);
// The colour a value stands for when it is set: one with the top bit set is the system colour of
// its low byte, any other is itself.
ColorRef ResolvedColour(ColorRef colour);

struct RgbQuad {
    std::uint8_t blue = 0;
    std::uint8_t green = 0;
    std::uint8_t red = 0;
    std::uint8_t reserved = 0;
    friend bool operator==(const RgbQuad&, const RgbQuad&) = default;
};

inline constexpr std::uint32_t kBiRgb = 0;
inline constexpr std::uint32_t kBiRle8 = 1;
inline constexpr std::uint32_t kBiRle4 = 2;
inline constexpr std::uint32_t kBiBitfields = 3;

// BITMAPINFOHEADER, field for field.
struct BitmapInfoHeader {
    std::uint32_t biSize = 0;
    std::int32_t biWidth = 0;
    std::int32_t biHeight = 0;
    std::uint16_t biPlanes = 0;
    std::uint16_t biBitCount = 0;
    std::uint32_t biCompression = 0;
    std::uint32_t biSizeImage = 0;
    std::int32_t biXPelsPerMeter = 0;
    std::int32_t biYPelsPerMeter = 0;
    std::uint32_t biClrUsed = 0;
    std::uint32_t biClrImportant = 0;
    friend bool operator==(const BitmapInfoHeader&, const BitmapInfoHeader&) = default;
};

// The device part of a description (BITMAP): bmBits is null for a device image.
struct DeviceBitmapInfo {
    std::int32_t bmType = 0;
    std::int32_t bmWidth = 0;
    std::int32_t bmHeight = 0;
    std::int32_t bmWidthBytes = 0;
    std::uint16_t bmPlanes = 0;
    std::uint16_t bmBitsPixel = 0;
    std::uint8_t* bmBits = nullptr;
};

// What the layer tells of an image (DIBSECTION). For a device image only dsBm is filled.
struct DibSection {
    DeviceBitmapInfo dsBm;
    BitmapInfoHeader dsBmih;
    std::array<std::uint32_t, 3> dsBitfields{};  // red, green, blue masks
};

// Bytes in one device-independent row: width × bits rounded up to whole 32-bit words.
// Returns 0 when the product does not fit the layer's sizes.
std::size_t DibRowStride(std::int64_t width, int bitCount);

// ----- The display -----

// Device images are made at the display depth (display_depth.h).
using mosaren::DisplayDepth;
using mosaren::SetDisplayDepth;

// ----- Refusals -----

// The error code of the layer's last refusal on this thread (0: the refusal carried none) and
// the text for a code ("" when there is none). Codes are errno values.
int LastError();
std::string ErrorText(int code);

// An image of more than kMaxImageBytes (image_limits.h) is refused with ENOMEM.

// A seam for tests: the operations that a system short of resources refuses ask the fault
// probe first, when one is installed, and refuse when it says so. The program installs none.
enum class Fault { NoContext, NoDeviceImage, NoSection };
using FaultProbe = bool (*)(Fault fault);
void InstallFaultProbe(FaultProbe probe);  // null: none
bool FaultOn(Fault fault);                 // false without a probe

// ----- Palettes -----

struct Palette {
    std::vector<RgbQuad> entries;
    bool halftone = false;
};
using PaletteHandle = std::shared_ptr<const Palette>;

PaletteHandle CreatePalette(std::span<const RgbQuad> entries);
PaletteHandle CreateHalftonePalette();

// ----- Images -----

// How an image is laid out: what CreateCompatibleBitmap and CreateDIBSection make, and what a
// reader needs to know of a section it decodes without making it.
struct ImageLayout {
    bool section = false;
    std::int32_t width = 0;
    std::int32_t height = 0;  // positive
    bool topDown = false;
    int bitCount = 0;
    std::uint32_t compression = kBiRgb;
    std::array<std::uint32_t, 3> masks{};
    std::vector<RgbQuad> colours;
    BitmapInfoHeader header;
    std::size_t stride = 0;
};

// Pixel memory that is zero from the start without being written: the system hands out pages
// it has not yet given as zero, so an image of a short file, which the file fills only in part,
// costs the machine only the part that is written.
class ZeroedBytes {
public:
    explicit ZeroedBytes(std::size_t size);  // raises std::bad_alloc
    ZeroedBytes(const ZeroedBytes& other);
    ZeroedBytes& operator=(const ZeroedBytes&) = delete;
    ~ZeroedBytes();

    std::uint8_t* data() { return mBytes; }
    const std::uint8_t* data() const { return mBytes; }
    std::size_t size() const { return mSize; }

private:
    std::uint8_t* mBytes = nullptr;
    std::size_t mSize = 0;
};

class Image {
public:
    bool IsSection() const { return mSection; }
    std::int32_t Width() const { return mWidth; }
    std::int32_t Height() const { return mHeight; }  // always positive
    bool TopDown() const { return mTopDown; }
    int BitsPerPixel() const { return mBitCount; }
    std::uint32_t Compression() const { return mCompression; }
    const std::array<std::uint32_t, 3>& Masks() const { return mMasks; }
    std::span<const RgbQuad> ColourTable() const { return mColours; }
    std::size_t Stride() const { return mStride; }
    std::size_t ByteSize() const { return mBits.size(); }

    // The section's pixel memory (rows in memory order); null for a device image.
    std::uint8_t* Bits() { return mSection ? mBits.data() : nullptr; }
    const std::uint8_t* Bits() const { return mSection ? mBits.data() : nullptr; }

    // GetObject.
    DibSection Describe() const;

    // GetPixel: the colour of (x, y) counted from the top-left, or kClrInvalid outside.
    ColorRef GetPixel(std::int32_t x, std::int32_t y) const;
    // SetPixel: stores the nearest colour that the image can hold; false outside.
    bool SetPixel(std::int32_t x, std::int32_t y, ColorRef colour);

    // Colours of count pixels of row y (from the top) starting at x; all must lie inside.
    void ReadColours(std::int32_t y, std::int32_t x, std::int32_t count, ColorRef* out) const;
    void WriteColours(std::int32_t y, std::int32_t x, std::int32_t count, const ColorRef* in);

    // The bytes of row y counted from the top, whatever the memory order. For the layer's own
    // algorithms and for tests; callers of TBitmap use RowAddress.
    std::uint8_t* RowBytes(std::int32_t y);
    const std::uint8_t* RowBytes(std::int32_t y) const;

    // An exact copy: same kind, format, table, size and pixels. Null when refused.
    std::shared_ptr<Image> Clone() const;

    explicit Image(const ImageLayout& layout);

private:
    bool mSection = false;
    std::int32_t mWidth = 0;
    std::int32_t mHeight = 0;
    bool mTopDown = false;
    int mBitCount = 0;
    std::uint32_t mCompression = kBiRgb;
    std::array<std::uint32_t, 3> mMasks{};
    std::vector<RgbQuad> mColours;
    BitmapInfoHeader mHeader;  // as described; biHeight keeps its sign
    std::size_t mStride = 0;
    ZeroedBytes mBits;
};
using ImageHandle = std::shared_ptr<Image>;

// CreateCompatibleBitmap: a device image at DisplayDepth, pixels zero. Null when refused.
ImageHandle CreateCompatibleBitmap(std::int32_t width, std::int32_t height);

// CreateDIBSection: a section of the header's size, bit count, compression and masks; for 8 bits
// or fewer its colour table has biClrUsed entries (2^n when 0), taken from colours (missing
// entries are black). A negative height makes it top-down. Accepted: 1, 4, 8, 16, 24, 32 bits
// with BI_RGB, and 16 or 32 with BI_BITFIELDS; width above 0, height not 0, planes 1. Pixels are
// zero. Null when refused: an unaccepted header carries no error code, a size beyond
// kMaxImageBytes carries ENOMEM.
ImageHandle CreateDIBSection(const BitmapInfoHeader& header, const std::array<std::uint32_t, 3>& masks,
                             std::span<const RgbQuad> colours);
// The layout CreateDIBSection gives the section of these arguments, without making it: false,
// with the refusal recorded as CreateDIBSection records it, when it would refuse.
bool SectionLayout(const BitmapInfoHeader& header, const std::array<std::uint32_t, 3>& masks,
                   std::span<const RgbQuad> colours, ImageLayout& layout);

// CreateDIBitmap with initialisation: a device image of the header's size holding the pixels
// of run-length encoded data (BI_RLE8 at 8 bits, BI_RLE4 at 4, rows bottom-up), coloured by
// the colour table. Null when refused: any other header carries no error code, a size beyond
// kMaxImageBytes carries ENOMEM.
ImageHandle CreateDIBitmap(const BitmapInfoHeader& header, std::span<const RgbQuad> colours,
                           std::span<const std::uint8_t> bits);
// Whether CreateDIBitmap takes this header: false, with the refusal recorded as CreateDIBitmap
// records it, when it would refuse whatever the data.
bool RunLengthImageAccepted(const BitmapInfoHeader& header);
// The colour of each palette index of run-length data of this header, as CreateDIBitmap colours
// its pixels: the table's entries, black for an entry the table lacks; an index past these is
// black too.
std::vector<ColorRef> RunLengthColours(const BitmapInfoHeader& header,
                                       std::span<const RgbQuad> colours);

// The header of the section a device image's pixels are copied into (GetDIBits) when a
// device-form bitmap gets its section copy: 40 bytes, the image's width and its height as a
// positive number (bottom row first), its bits per pixel, BI_RGB, every other field 0.
BitmapInfoHeader DeviceSectionHeader(std::int32_t width, std::int32_t height, int bitCount);

// PatBlt with WHITENESS over the whole image.
void FillWhite(Image& image);

// BitBlt SRCCOPY of the w × h block at (sx, sy) of src to (x, y) of dst, clipped to both. Images
// of the same format copy their stored values; others go through colours.
void BitBlt(Image& dst, std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h,
            const Image& src, std::int32_t sx, std::int32_t sy);

// Stretch modes (SetStretchBltMode).
inline constexpr int kBlackOnWhite = 1;
inline constexpr int kColorOnColor = 3;
inline constexpr int kHalftone = 4;

using Rect = TRect;

// StretchBlt SRCCOPY of the whole of src into dstRect of dst, clipped to dst. Nearest pixel:
// destination column dx (counted from the rectangle's left) takes source column
// ((2·dx + 1) · sw) div (2 · dw), the source pixel under the destination pixel's centre; rows
// likewise. In kBlackOnWhite mode a shrunk dimension ANDs the colours of every source pixel
// that falls into the destination pixel, so black wins; kHalftone samples as kColorOnColor.
// A rectangle or source of no extent draws nothing.
void StretchBlt(Image& dst, const Rect& dstRect, const Image& src, int mode);

// GetDIBits into a section of the same size: every pixel of src is converted into the
// section's layout (for 24 bits: its colour's blue, green and red bytes; from 16 bits each
// channel is widened to 8 bits by exact scaling, so a 5-bit 31 is 255). Every pixel is written.
// False when the sizes differ or dst is not a section.
bool GetDIBits(const Image& src, Image& dstSection);

// ----- Drawing contexts -----

// A memory drawing context: which image is selected, the stretch mode, the selected palette.
struct DeviceContext {
    ImageHandle selected;
    int stretchMode = kBlackOnWhite;
    PaletteHandle palette;
};

// CreateCompatibleDC: null when refused.
std::unique_ptr<DeviceContext> CreateCompatibleDC();

}  // namespace mosaren::gdi
