// The layer's images, how they are made, and the state that stands in for the platform's: the
// display depth, the last error and the fault probe.

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <new>

#include "graphics.h"
#include "pixel_format.h"

namespace mosaren::gdi {

namespace {

thread_local int gLastError = 0;
std::atomic<FaultProbe> gFaultProbe{nullptr};

// The stride and total size of an image, or 0 when it is larger than the layer will hold.
std::size_t CheckedImageBytes(std::int64_t width, std::int64_t height, int bitCount,
                              std::size_t& stride) {
    stride = DibRowStride(width, bitCount);
    if (stride == 0 || height <= 0) return 0;
    if (static_cast<std::uint64_t>(height) > kMaxImageBytes / stride) return 0;
    return stride * static_cast<std::size_t>(height);
}

// Makes the image, or records the refusal and returns null.
ImageHandle Make(const ImageLayout& layout) {
    try {
        return std::make_shared<Image>(layout);
    } catch (const std::bad_alloc&) {
        SetLastError(ENOMEM);
        return nullptr;
    }
}

}  // namespace

void SetLastError(int code) { gLastError = code; }
int LastError() { return gLastError; }

std::string ErrorText(int code) {
    if (code == 0) return {};
    return std::strerror(code);
}

void InstallFaultProbe(FaultProbe probe) { gFaultProbe = probe; }

bool FaultOn(Fault fault) {
    const FaultProbe probe = gFaultProbe;
    return probe && probe(fault);
}

std::size_t DibRowStride(std::int64_t width, int bitCount) {
    if (width <= 0 || bitCount <= 0 || bitCount > 32) return 0;
    const std::uint64_t bits = static_cast<std::uint64_t>(width) * static_cast<unsigned>(bitCount);
    if (bits > (std::uint64_t{1} << 40)) return 0;
    return static_cast<std::size_t>(((bits + 31) & ~std::uint64_t{31}) / 8);
}

ZeroedBytes::ZeroedBytes(std::size_t size) : mSize(size) {
    if (size == 0) return;
    mBytes = static_cast<std::uint8_t*>(std::calloc(size, 1));
    if (mBytes == nullptr) throw std::bad_alloc();
}

ZeroedBytes::ZeroedBytes(const ZeroedBytes& other) : mSize(other.mSize) {
    if (mSize == 0) return;
    mBytes = static_cast<std::uint8_t*>(std::malloc(mSize));
    if (mBytes == nullptr) throw std::bad_alloc();
    std::memcpy(mBytes, other.mBytes, mSize);
}

ZeroedBytes::~ZeroedBytes() { std::free(mBytes); }

Image::Image(const ImageLayout& layout)
    : mSection(layout.section),
      mWidth(layout.width),
      mHeight(layout.height),
      mTopDown(layout.topDown),
      mBitCount(layout.bitCount),
      mCompression(layout.compression),
      mMasks(layout.masks),
      mColours(layout.colours),
      mHeader(layout.header),
      mStride(layout.stride),
      mBits(layout.stride * static_cast<std::size_t>(layout.height)) {}

DibSection Image::Describe() const {
    DibSection d;
    d.dsBm.bmWidth = mWidth;
    d.dsBm.bmHeight = mHeight;
    d.dsBm.bmWidthBytes = static_cast<std::int32_t>(mStride);
    d.dsBm.bmPlanes = 1;
    d.dsBm.bmBitsPixel = static_cast<std::uint16_t>(mBitCount);
    if (mSection) {
        d.dsBm.bmBits = const_cast<std::uint8_t*>(mBits.data());
        d.dsBmih = mHeader;
        if (mCompression == kBiBitfields) d.dsBitfields = mMasks;
    }
    return d;
}

std::uint8_t* Image::RowBytes(std::int32_t y) {
    const std::int32_t memoryRow = mTopDown ? y : mHeight - 1 - y;
    return mBits.data() + static_cast<std::size_t>(memoryRow) * mStride;
}

const std::uint8_t* Image::RowBytes(std::int32_t y) const {
    return const_cast<Image*>(this)->RowBytes(y);
}

std::shared_ptr<Image> Image::Clone() const {
    try {
        return std::make_shared<Image>(*this);
    } catch (const std::bad_alloc&) {
        SetLastError(ENOMEM);
        return nullptr;
    }
}

ImageHandle CreateCompatibleBitmap(std::int32_t width, std::int32_t height) {
    SetLastError(0);
    if (FaultOn(Fault::NoDeviceImage) || width <= 0 || height <= 0) return nullptr;
    ImageLayout layout;
    layout.width = width;
    layout.height = height;
    // Device images are kept top row first; nobody outside the layer sees their memory.
    layout.topDown = true;
    layout.bitCount = DisplayDepth();
    if (CheckedImageBytes(width, height, layout.bitCount, layout.stride) == 0) {
        SetLastError(ENOMEM);
        return nullptr;
    }
    return Make(layout);
}

bool SectionLayout(const BitmapInfoHeader& header, const std::array<std::uint32_t, 3>& masks,
                   std::span<const RgbQuad> colours, ImageLayout& layout) {
    SetLastError(0);
    if (FaultOn(Fault::NoSection)) return false;
    const int bits = header.biBitCount;
    const bool plainDepth = bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
    const bool accepted = plainDepth && header.biPlanes == 1 && header.biWidth > 0 &&
                          header.biHeight != 0 &&
                          (header.biCompression == kBiRgb ||
                           (header.biCompression == kBiBitfields && (bits == 16 || bits == 32)));
    if (!accepted) return false;

    layout = ImageLayout{};
    layout.section = true;
    layout.width = header.biWidth;
    const std::int64_t height = header.biHeight;
    layout.height = static_cast<std::int32_t>(height < 0 ? -height : height);
    if (height == std::int64_t{INT32_MIN}) return false;
    layout.topDown = header.biHeight < 0;
    layout.bitCount = bits;
    layout.compression = header.biCompression;
    if (header.biCompression == kBiBitfields) layout.masks = masks;
    if (CheckedImageBytes(layout.width, layout.height, bits, layout.stride) == 0) {
        SetLastError(ENOMEM);
        return false;
    }
    if (bits <= 8) {
        const std::uint32_t full = 1u << bits;
        const std::uint32_t count =
            header.biClrUsed != 0 && header.biClrUsed < full ? header.biClrUsed : full;
        layout.colours.assign(count, RgbQuad{});
        std::copy_n(colours.begin(), std::min<std::size_t>(count, colours.size()),
                    layout.colours.begin());
    }
    layout.header = header;
    layout.header.biSize = 40;
    layout.header.biSizeImage = static_cast<std::uint32_t>(layout.stride * layout.height);
    return true;
}

ImageHandle CreateDIBSection(const BitmapInfoHeader& header, const std::array<std::uint32_t, 3>& masks,
                             std::span<const RgbQuad> colours) {
    ImageLayout layout;
    if (!SectionLayout(header, masks, colours, layout)) return nullptr;
    return Make(layout);
}

BitmapInfoHeader DeviceSectionHeader(std::int32_t width, std::int32_t height, int bitCount) {
    BitmapInfoHeader header;
    header.biSize = 40;
    header.biWidth = width;
    header.biHeight = height;
    header.biPlanes = 1;
    header.biBitCount = static_cast<std::uint16_t>(bitCount);
    header.biCompression = kBiRgb;
    return header;
}

std::unique_ptr<DeviceContext> CreateCompatibleDC() {
    SetLastError(0);
    if (FaultOn(Fault::NoContext)) return nullptr;
    return std::make_unique<DeviceContext>();
}

}  // namespace mosaren::gdi

namespace mosaren {

namespace {
int gDisplayDepth = 32;
}  // namespace

int DisplayDepth() { return gDisplayDepth; }

void SetDisplayDepth(int bitsPerPixel) {
    gDisplayDepth = (bitsPerPixel == 16 || bitsPerPixel == 24) ? bitsPerPixel : 32;
}

}  // namespace mosaren
