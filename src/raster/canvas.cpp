#include "canvas.h"

#include <algorithm>
#include <vector>

#include "bitmap.h"
#include "context_registry.h"
#include "exceptions.h"

namespace mosaren {

namespace {

// The surfaces that currently have a context, shared by all bitmaps of the one UI thread.
std::vector<TCanvas*>& SurfacesWithContext() {
    static std::vector<TCanvas*> surfaces;
    return surfaces;
}

// The stretch mode for a drawing: halftone onto a surface of 8 bits or fewer that holds fewer
// bits than the source, colour-on-colour otherwise, and for a monochrome source whatever mode
// the context already has.
int ChooseStretchMode(int destinationBits, int sourceBits, bool monochromeSource, int current) {
    if (destinationBits <= 8 && destinationBits < sourceBits) return gdi::kHalftone;
    if (!monochromeSource) return gdi::kColorOnColor;
    return current;
}

}  // namespace

void RegisterContext(TCanvas* canvas) { SurfacesWithContext().push_back(canvas); }

void UnregisterContext(TCanvas* canvas) {
    auto& surfaces = SurfacesWithContext();
    surfaces.erase(std::remove(surfaces.begin(), surfaces.end(), canvas), surfaces.end());
}

void ReleaseContextsHolding(const gdi::Image* image) {
    if (!image) return;
    // Copy first: releasing unregisters.
    const std::vector<TCanvas*> surfaces = SurfacesWithContext();
    for (TCanvas* surface : surfaces) {
        if (surface->SelectedImage() == image) {
            surface->ReleaseContext();
        }
    }
}

TCanvas::TCanvas(TBitmap& owner) : mOwner(owner) {}

TCanvas::~TCanvas() { ReleaseContext(); }

gdi::DeviceContext& TCanvas::Context() {
    if (mContext) {
        // The owner's image may have been replaced by a private copy since.
        mContext->selected = mOwner.DeviceHandle();
        return *mContext;
    }
    ReleaseContextsHolding(mOwner.DeviceHandle().get());
    mContext = gdi::CreateCompatibleDC();
    if (!mContext) throw EInvalidOperation(messages::kCanvasNoDrawing);
    mOwner.EnsurePalette();
    mContext->selected = mOwner.DeviceHandle();
    mContext->palette = mOwner.PaletteHandle();
    RegisterContext(this);
    return *mContext;
}

void TCanvas::ReleaseContext() {
    if (!mContext) return;
    UnregisterContext(this);
    mContext.reset();
}

int TCanvas::StretchMode() const { return mContext ? mContext->stretchMode : 0; }

gdi::ColorRef TCanvas::ReadPixel(std::int32_t x, std::int32_t y) {
    const gdi::DeviceContext& context = Context();
    if (!context.selected) return gdi::kClrInvalid;
    return context.selected->GetPixel(x, y);
}

void TCanvas::WritePixel(std::int32_t x, std::int32_t y, gdi::ColorRef colour) {
    mOwner.BeforeChange();
    gdi::DeviceContext& context = Context();
    if (colour & 0x80000000u) colour = gdi::SystemColour(static_cast<std::uint8_t>(colour));
    if (context.selected) context.selected->SetPixel(x, y, colour);
    mOwner.AnnounceChange();
}

void TCanvas::DrawStretched(const TRect& rect, TBitmap* source) {
    if (!source) return;
    mOwner.BeforeChange();
    gdi::DeviceContext& context = Context();

    source->EnsurePalette();
    const gdi::PaletteHandle previousPalette = context.palette;
    const bool selectsPalette = source->PaletteHandle() != nullptr;
    if (selectsPalette) context.palette = source->PaletteHandle();

    const auto& sourceBm = source->Description().dsBm;
    context.stretchMode = ChooseStretchMode(gdi::DisplayDepth(), sourceBm.bmPlanes * sourceBm.bmBitsPixel,
                                            source->IsMonochrome(), context.stretchMode);
    const int mode = context.stretchMode;
    try {
        const gdi::ImageHandle sourceImage = source->DrawingSurface().Context().selected;
        // Making the source's context may have released ours; make it again if so.
        gdi::DeviceContext& target = Context();
        target.stretchMode = mode;
        if (target.selected && sourceImage) {
            gdi::StretchBlt(*target.selected, rect, *sourceImage, mode);
        }
    } catch (...) {
        if (selectsPalette && mContext) mContext->palette = previousPalette;
        throw;
    }
    if (selectsPalette) Context().palette = previousPalette;
    mOwner.AnnounceChange();
}

}  // namespace mosaren
