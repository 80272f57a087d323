#pragma once

// TBitmap: the in-memory raster image every tile-making step works on.
//
// A bitmap holds its pixels in the device form (the display's layout, only drawn into, read
// and written pixel by pixel, converted or saved) or in a device-independent section whose rows
// are addressed in memory. Previews take a copy with AssignImage that shares the image until
// either side changes it, so giving a preview its picture copies no pixels.
//
// The layers above reach the pixels only through the operations here; the image objects of the
// graphics layer and the steps that frame a change are the raster layer's own (BitmapAccess).

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <span>

#include "colour.h"
#include "geometry.h"
#include "pixel_depth.h"

namespace mosaren {

namespace gdi {
class Image;
struct Palette;
}  // namespace gdi

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
    // Raises what ConvertDepth(Depth24) raises for a picture of width × height with pixels that
    // the graphics layer will not hold at 24 bits, without making anything.
    static void CheckDepth24Size(std::int32_t width, std::int32_t height);
    // The same for a section of bitCount bits per pixel: a picture that another decoder hands
    // over at 32 bits is held to the cap the layer holds its own pictures to.
    static void CheckSectionSize(std::int32_t width, std::int32_t height, int bitCount);

    // The first byte of pixel row y, 0 being the top row, for reading and writing. Valid until
    // the image is next replaced or changed (and, for a device-form bitmap, until the next
    // RowAddress).
    std::uint8_t* RowAddress(std::int32_t y);
    // The same for reading only: no before-change step, so a preview that shares the image keeps
    // sharing it. Raises "Invalid pixel format" for a bitmap in the device form that has no
    // section copy (EnsureSection), whose rows are not in memory.
    const std::uint8_t* ReadOnlyRowAddress(std::int32_t y) const;
    // Bytes per device-independent row, from the header's width and bit count.
    std::size_t RowStride() const;

    // The colours of the block's pixels, row by row from its top-left, into colours (which holds
    // one entry per pixel of the block). Pixels outside the bitmap read 0xFFFFFFFF, as ReadPixel
    // gives them. Reading changes nothing: a preview that shares the image keeps sharing it.
    void ReadColours(const TRect& block, std::span<TColor> colours) const;
    // Sets the block's pixels to colours, row by row from its top-left, each to the nearest
    // colour the image can hold, as WritePixel sets one; pixels outside the bitmap are left out.
    // One change: the before-change step, then one change notice.
    void WriteColours(const TRect& block, std::span<const TColor> colours);
    // Copies the block of source (clipped to it) into this bitmap with its top-left at to,
    // pixel for pixel; what falls outside this bitmap is left out. One change, as WriteColours.
    void CopyBlock(TPoint to, const TBitmap& source, const TRect& block);

    // A device-form bitmap gets its device-independent copy (kept until its next change).
    void EnsureSection();

    // The drawing surface, made on first use.
    TCanvas& DrawingSurface();
    bool HasDrawingSurface() const { return mCanvas != nullptr; }
    // The surface, if made, gives up its drawing context (made again on its next use).
    void ReleaseContext();

    // This bitmap takes a copy of the source's image, shared until either side changes.
    void AssignImage(const TBitmap& source);
    // Whether both bitmaps hold the very same image (a preview before either side changed).
    bool SharesImageWith(const TBitmap& other) const { return mImage == other.mImage; }

    // Called after every completed change. Previews listen to repaint.
    void SetChangeListener(std::function<void()> listener) { mListener = std::move(listener); }

private:
    friend class BitmapAccess;
    struct Image;  // the objects shared with previews

    bool HasHeader() const;
    void Resize(std::int32_t width, std::int32_t height);
    void Replace(std::shared_ptr<gdi::Image> pixels, std::shared_ptr<const gdi::Palette> palette);
    // The step before a change through the drawing surface, a row address or a block of
    // colours: a shared image becomes this bitmap's own, and a device-form bitmap drops its
    // section copy.
    void BeforeChange();
    // The change notice: follows every completed change.
    void AnnounceChange();

    std::shared_ptr<Image> mImage;
    std::unique_ptr<TCanvas> mCanvas;
    std::function<void()> mListener;
};

}  // namespace mosaren
