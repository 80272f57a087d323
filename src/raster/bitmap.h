#pragma once

// TBitmap: the in-memory raster image every tile-making step works on.
//
// A bitmap holds its pixels in the device form (the display's layout, only drawn into, read
// and written pixel by pixel, converted or saved) or in a device-independent section whose rows
// are addressed in memory. Previews take a copy with AssignImage that shares the image until
// either side changes it, so giving a preview its picture copies no pixels.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>

#include "graphics/graphics.h"
#include "pixel_depth.h"

namespace mosaren {

class TCanvas;

class TBitmap {
public:
    TBitmap();
    ~TBitmap();
    TBitmap(const TBitmap&) = delete;
    TBitmap& operator=(const TBitmap&) = delete;

    std::int32_t ImageWidth() const;
    std::int32_t ImageHeight() const;  // the absolute value of the stored height
    TPixelDepth PixelDepth() const;
    bool HasPixels() const;
    // One plane of one bit per pixel.
    bool IsMonochrome() const;

    // Resize. The picture stays anchored at the top-left corner and new area is white; the same
    // value does nothing at all; 0 leaves the bitmap without pixels but keeps the size.
    void SetImageWidth(std::int32_t width);
    void SetImageHeight(std::int32_t height);

    // Only Depth24 is asked for by the program; DepthOther is refused with "Invalid pixel format".
    void ConvertDepth(TPixelDepth depth);

    // The first byte of pixel row y, 0 being the top row. Valid until the image is next
    // replaced or changed (and, for a device-form bitmap, until the next RowAddress).
    std::uint8_t* RowAddress(std::int32_t y);
    // Bytes per device-independent row, from the header's width and bit count.
    std::size_t RowStride() const;

    // A device-form bitmap gets its device-independent copy (kept until its next change).
    void EnsureSection();

    // The drawing surface, made on first use.
    TCanvas& DrawingSurface();
    bool HasDrawingSurface() const { return mCanvas != nullptr; }
    // The surface, if made, gives up its drawing context (made again on its next use).
    void ReleaseContext();

    // This bitmap takes a copy of the source's image, shared until either side changes.
    void AssignImage(const TBitmap& source);

    // Puts a new image in place of the current one. The section handle becomes the same object
    // when the description gives a pixel address. Sends no notice.
    void InstallImage(gdi::ImageHandle pixels, gdi::PaletteHandle palette,
                      const gdi::DibSection& description);

    // The change notice: follows every completed change. Previews listen to repaint.
    void AnnounceChange();
    void SetChangeListener(std::function<void()> listener) { mListener = std::move(listener); }

    const gdi::DibSection& Description() const;
    // The writer records default masks and the colour count here; nothing else should.
    gdi::DibSection& DescriptionForWriting();

    const gdi::ImageHandle& DeviceHandle() const;
    const gdi::ImageHandle& SectionHandle() const;
    const gdi::PaletteHandle& PaletteHandle() const;
    // Whether both bitmaps hold the very same image (a preview before either side changed).
    bool SharesImageWith(const TBitmap& other) const { return mImage == other.mImage; }

    // The step before a change through the drawing surface or a row address: a shared image
    // becomes this bitmap's own, and a device-form bitmap drops its section copy.
    void BeforeChange();

    // Gives a device-independent image without a palette the palette it draws with.
    void EnsurePalette();

private:
    struct Image;  // the objects shared with previews

    bool HasHeader() const;
    void Resize(std::int32_t width, std::int32_t height);
    void Replace(gdi::ImageHandle pixels, gdi::PaletteHandle palette);

    std::shared_ptr<Image> mImage;
    std::unique_ptr<TCanvas> mCanvas;
    std::function<void()> mListener;
};

}  // namespace mosaren
