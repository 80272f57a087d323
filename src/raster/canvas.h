#pragma once

// TCanvas: a bitmap's drawing surface. It owns the drawing context that per-pixel access and
// stretched drawing use; the context is released whenever the bitmap's image is replaced and
// made again on the next use.

#include <cstdint>
#include <memory>

#include "colour.h"
#include "geometry.h"

namespace mosaren {

namespace gdi {
class Image;
struct DeviceContext;
}  // namespace gdi

class TBitmap;

class TCanvas {
public:
    explicit TCanvas(TBitmap& owner);
    ~TCanvas();
    TCanvas(const TCanvas&) = delete;
    TCanvas& operator=(const TCanvas&) = delete;

    // The colour of (x, y), or 0xFFFFFFFF outside the bitmap.
    TColor ReadPixel(std::int32_t x, std::int32_t y);
    // Sets one pixel (a colour with the top bit set is a system colour); nothing outside.
    void WritePixel(std::int32_t x, std::int32_t y, TColor colour);

    // Draws the whole of source, scaled nearest-pixel, into rect. No source: nothing at all.
    void DrawStretched(const TRect& rect, TBitmap* source);

    // The context's stretch mode, for tests; 0 while the surface has no context.
    int StretchMode() const;
    bool HasContext() const { return mContext != nullptr; }
    // The image selected into the context, if any.
    const gdi::Image* SelectedImage() const;

    // Makes sure the surface has its context with the owner's pixels selected. Raises
    // EInvalidOperation "Canvas does not allow drawing" when none can be made.
    gdi::DeviceContext& Context();
    void ReleaseContext();

private:
    TBitmap& mOwner;
    std::unique_ptr<gdi::DeviceContext> mContext;
};

}  // namespace mosaren
