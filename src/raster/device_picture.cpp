#include "device_picture.h"

#include "bitmap.h"
#include "bitmap_access.h"
#include "exceptions.h"
#include "graphics/graphics.h"
#include "graphics/pixel_format.h"

namespace mosaren {

namespace {

// The row layout of a device image of that depth.
gdi::RowCodec DeviceCodec(int bitCount) {
    return gdi::RowCodec(gdi::PixelFormat::Of(bitCount, gdi::kBiRgb, {}), {});
}

}  // namespace

DevicePicture DevicePicture::Blank(std::int32_t width, std::int32_t height) {
    DevicePicture picture;
    picture.width = width;
    picture.height = height;
    picture.bitCount = DisplayDepth();
    picture.rows.assign(picture.Stride() * static_cast<std::size_t>(height), 0);
    return picture;
}

std::size_t DevicePicture::Stride() const { return gdi::DibRowStride(width, bitCount); }

std::uint8_t* DevicePicture::Row(std::int32_t y) {
    return rows.data() + static_cast<std::size_t>(height - 1 - y) * Stride();
}

const std::uint8_t* DevicePicture::Row(std::int32_t y) const {
    return const_cast<DevicePicture*>(this)->Row(y);
}

DevicePicture SectionCopy(TBitmap& bitmap) {
    if (bitmap.PixelDepth() != TPixelDepth::DepthDevice || !bitmap.HasPixels()) {
        throw EInvalidGraphic(messages::kInvalidPixelFormat);
    }
    bitmap.EnsureSection();
    const gdi::Image& section = *BitmapAccess::SectionHandle(bitmap);
    DevicePicture picture;
    picture.width = section.Width();
    picture.height = section.Height();
    picture.bitCount = section.BitsPerPixel();
    const std::uint8_t* bits = section.Bits();
    picture.rows.assign(bits, bits + section.ByteSize());
    return picture;
}

void EncodeDeviceColours(int bitCount, const TColor* colours, std::size_t count,
                         std::uint8_t* out) {
    DeviceCodec(bitCount).Write(out, 0, static_cast<std::int32_t>(count), colours);
}

void ReadColours(const DevicePicture& picture, std::span<TColor> colours) {
    const gdi::RowCodec codec = DeviceCodec(picture.bitCount);
    for (std::int32_t y = 0; y < picture.height; ++y) {
        codec.Read(picture.Row(y), 0, picture.width,
                   colours.data() + static_cast<std::size_t>(y) * picture.width);
    }
}

}  // namespace mosaren
