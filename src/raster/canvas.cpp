#include "canvas.h"

#include <algorithm>
#include <vector>

#include "bitmap.h"
#include "bitmap_access.h"
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

const gdi::Image* TCanvas::SelectedImage() const {
    return mContext ? mContext->selected.get() : nullptr;
}

gdi::DeviceContext& TCanvas::Context() {
    if (mContext) {
        // The owner's image may have been replaced by a private copy since.
        mContext->selected = BitmapAccess::DeviceHandle(mOwner);
        return *mContext;
    }
    ReleaseContextsHolding(BitmapAccess::DeviceHandle(mOwner).get());
    mContext = gdi::CreateCompatibleDC();
    if (!mContext) throw EInvalidOperation(messages::kCanvasNoDrawing);
    BitmapAccess::EnsurePalette(mOwner);
    mContext->selected = BitmapAccess::DeviceHandle(mOwner);
    mContext->palette = BitmapAccess::PaletteHandle(mOwner);
    RegisterContext(this);
    return *mContext;
}

void TCanvas::ReleaseContext() {
    if (!mContext) return;
    UnregisterContext(this);
    mContext.reset();
}

int TCanvas::StretchMode() const { return mContext ? mContext->stretchMode : 0; }

TColor TCanvas::ReadPixel(std::int32_t x, std::int32_t y) {
    const gdi::DeviceContext& context = Context();
    if (!context.selected) return kClrInvalid;
    return context.selected->GetPixel(x, y);
}

void TCanvas::WritePixel(std::int32_t x, std::int32_t y, TColor colour) {
    BitmapAccess::BeforeChange(mOwner);
    gdi::DeviceContext& context = Context();
    if (context.selected) context.selected->SetPixel(x, y, gdi::ResolvedColour(colour));
    BitmapAccess::AnnounceChange(mOwner);
}

void TCanvas::DrawStretched(const TRect& rect, TBitmap* source) {
    if (!source) return;
    BitmapAccess::BeforeChange(mOwner);
    gdi::DeviceContext& context = Context();

    BitmapAccess::EnsurePalette(*source);
    const gdi::PaletteHandle previousPalette = context.palette;
    const gdi::PaletteHandle& sourcePalette = BitmapAccess::PaletteHandle(*source);
    const bool selectsPalette = sourcePalette != nullptr;
    if (selectsPalette) context.palette = sourcePalette;

    const auto& sourceBm = BitmapAccess::Description(*source).dsBm;
    context.stretchMode =
        ChooseStretchMode(DisplayDepth(), sourceBm.bmPlanes * sourceBm.bmBitsPixel,
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
    BitmapAccess::AnnounceChange(mOwner);
}

}  // namespace mosaren
