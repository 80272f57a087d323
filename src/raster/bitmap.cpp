#include "bitmap.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "bitmap_access.h"
#include "canvas.h"
#include "context_registry.h"
#include "exceptions.h"

namespace mosaren {

// The image objects a bitmap shares with the previews that took a copy of it. A change of the
// pixels never alters a shared record: a resize or a conversion makes a new one, and a change
// through the drawing surface, a row address or a block of colours first takes a private copy
// (the before-change step), so a preview keeps what it was given. Writing a device-form bitmap
// does record its section copy and the writer's description fields in the shared record; they
// alter no pixel, and the preview's copy is as good a copy of them as the working bitmap's.
struct TBitmap::Image {
    gdi::ImageHandle device;   // the pixels: a device image, or the section itself
    gdi::ImageHandle section;  // the same object for a section; a device image's section copy
    gdi::PaletteHandle palette;
    gdi::DibSection description;
};

namespace {

gdi::ImageHandle Required(gdi::ImageHandle image) {
    if (!image) RaiseOutOfResources();
    return image;
}

// The rows and columns of block that lie on an image of width × height.
TRect ClipToImage(const TRect& block, std::int32_t width, std::int32_t height) {
    return TRect{std::max(block.left, 0), std::max(block.top, 0), std::min(block.right, width),
                 std::min(block.bottom, height)};
}

std::size_t BlockArea(const TRect& block) {
    if (block.right <= block.left || block.bottom <= block.top) return 0;
    return static_cast<std::size_t>(std::int64_t{block.right} - block.left) *
           static_cast<std::size_t>(std::int64_t{block.bottom} - block.top);
}

// Refuses a colour buffer that does not hold one entry per pixel of the block.
void CheckBlockBuffer(const TRect& block, std::size_t entries) {
    if (entries != BlockArea(block)) throw EInvalidGraphicOperation(messages::kBlockSize);
}

}  // namespace

TBitmap::TBitmap() : mImage(std::make_shared<Image>()) {}

TBitmap::~TBitmap() = default;

std::int32_t TBitmap::ImageWidth() const { return mImage->description.dsBm.bmWidth; }

std::int32_t TBitmap::ImageHeight() const { return std::abs(mImage->description.dsBm.bmHeight); }

bool TBitmap::HasPixels() const { return mImage->device != nullptr; }

bool TBitmap::HasHeader() const { return mImage->description.dsBmih.biSize != 0; }

bool TBitmap::IsMonochrome() const {
    const auto& bm = mImage->description.dsBm;
    return bm.bmPlanes == 1 && bm.bmBitsPixel == 1;
}

TPixelDepth TBitmap::PixelDepth() const {
    const Image& image = *mImage;
    const bool deviceImage = image.device && image.device != image.section;
    if (deviceImage || (!image.device && !HasHeader())) return TPixelDepth::DepthDevice;
    const auto& h = image.description.dsBmih;
    switch (h.biBitCount) {
        case 1: return TPixelDepth::Depth1;
        case 4: return TPixelDepth::Depth4;
        case 8: return TPixelDepth::Depth8;
        case 16:
            if (h.biCompression == gdi::kBiRgb) return TPixelDepth::Depth15;
            if (h.biCompression == gdi::kBiBitfields && image.description.dsBitfields[1] == 0x07E0) {
                return TPixelDepth::Depth16;
            }
            return TPixelDepth::DepthOther;
        case 24: return TPixelDepth::Depth24;
        case 32:
            return h.biCompression == gdi::kBiRgb ? TPixelDepth::Depth32 : TPixelDepth::DepthOther;
        default: return TPixelDepth::DepthOther;
    }
}

void TBitmap::SetImageWidth(std::int32_t width) {
    if (width == ImageWidth()) return;
    Resize(width, mImage->description.dsBm.bmHeight);
}

void TBitmap::SetImageHeight(std::int32_t height) {
    if (height == ImageHeight()) return;
    // The stored height is the value passed, so a top-down image becomes bottom-up.
    Resize(ImageWidth(), height);
}

void TBitmap::Resize(std::int32_t width, std::int32_t height) {
    const Image& old = *mImage;
    gdi::DibSection description = old.description;
    const bool keepsTopDown = description.dsBmih.biHeight < 0 && height == ImageHeight();
    description.dsBm.bmWidth = width;
    description.dsBm.bmHeight = height;
    if (HasHeader()) {
        description.dsBmih.biWidth = width;
        description.dsBmih.biHeight = keepsTopDown ? -height : height;
    }

    if (width == 0 || height == 0) {
        // No pixels: the bitmap takes the size and keeps its form and header.
        description.dsBm.bmBits = nullptr;
        ReleaseContext();
        Replace(nullptr, old.palette);
        mImage->description = description;
        AnnounceChange();
        return;
    }

    if (old.device) ReleaseContextsHolding(old.device.get());
    gdi::ImageHandle image;
    if (!HasHeader()) {
        image = Required(gdi::CreateCompatibleBitmap(width, height));
    } else {
        // Paletted images keep their colour table: the old image's, or the palette's.
        std::vector<gdi::RgbQuad> colours;
        if (old.device && old.device->IsSection()) {
            colours.assign(old.device->ColourTable().begin(), old.device->ColourTable().end());
        } else if (old.palette) {
            colours = old.palette->entries;
        }
        image = Required(gdi::CreateDIBSection(description.dsBmih, description.dsBitfields, colours));
    }
    gdi::FillWhite(*image);
    if (old.device) gdi::BitBlt(*image, 0, 0, width, height, *old.device, 0, 0);

    ReleaseContext();
    Replace(image, old.palette);
    AnnounceChange();
}

namespace {

// The header of the section of that size and bit count (24: what a bitmap converts into).
gdi::BitmapInfoHeader DepthHeader(std::int32_t width, std::int32_t height, int bitCount) {
    gdi::BitmapInfoHeader header;
    header.biSize = 40;
    header.biWidth = width;
    header.biHeight = height;
    header.biPlanes = 1;
    header.biBitCount = static_cast<std::uint16_t>(bitCount);
    header.biCompression = gdi::kBiRgb;
    return header;
}

}  // namespace

void TBitmap::CheckDepth24Size(std::int32_t width, std::int32_t height) {
    CheckSectionSize(width, height, 24);
}

void TBitmap::CheckSectionSize(std::int32_t width, std::int32_t height, int bitCount) {
    gdi::ImageLayout layout;
    if (!gdi::SectionLayout(DepthHeader(width, height, bitCount), {}, {}, layout)) {
        RaiseOutOfResources();
    }
}

void TBitmap::ConvertDepth(TPixelDepth depth) {
    if (depth != TPixelDepth::Depth24) throw EInvalidGraphic(messages::kInvalidPixelFormat);
    if (PixelDepth() == TPixelDepth::Depth24) return;

    const gdi::BitmapInfoHeader header = DepthHeader(ImageWidth(), ImageHeight(), 24);

    const gdi::PaletteHandle palette = mImage->palette;
    if (!HasPixels()) {
        gdi::DibSection description = mImage->description;
        description.dsBmih = header;
        description.dsBitfields = {};
        ReleaseContext();
        Replace(nullptr, palette);
        mImage->description = description;
        AnnounceChange();
        return;
    }

    ReleaseContextsHolding(mImage->device.get());
    gdi::ImageHandle section = Required(gdi::CreateDIBSection(header, {}, {}));
    gdi::GetDIBits(*mImage->device, *section);
    ReleaseContext();
    Replace(section, palette);
    AnnounceChange();
}

std::uint8_t* TBitmap::RowAddress(std::int32_t y) {
    // Checked first, so that a row that is not there costs no private copy of a shared image.
    if (y < 0 || y >= ImageHeight() || !HasPixels()) {
        throw EInvalidGraphicOperation(messages::kScanLineRange);
    }
    BeforeChange();
    if (PixelDepth() == TPixelDepth::DepthDevice) EnsureSection();
    return const_cast<std::uint8_t*>(ReadOnlyRowAddress(y));
}

const std::uint8_t* TBitmap::ReadOnlyRowAddress(std::int32_t y) const {
    if (y < 0 || y >= ImageHeight() || !HasPixels()) {
        throw EInvalidGraphicOperation(messages::kScanLineRange);
    }
    if (!mImage->section) throw EInvalidGraphic(messages::kInvalidPixelFormat);
    const auto& header = mImage->description.dsBmih;
    // A positive header height stores the bottom row first.
    const std::int32_t memoryRow = header.biHeight > 0 ? ImageHeight() - 1 - y : y;
    return mImage->section->Bits() + static_cast<std::size_t>(memoryRow) * RowStride();
}

std::size_t TBitmap::RowStride() const {
    const auto& header = mImage->description.dsBmih;
    return gdi::DibRowStride(header.biWidth, header.biBitCount);
}

void TBitmap::ReadColours(const TRect& block, std::span<TColor> colours) const {
    CheckBlockBuffer(block, colours.size());
    std::fill(colours.begin(), colours.end(), kClrInvalid);
    const TRect inside = ClipToImage(block, ImageWidth(), ImageHeight());
    if (!HasPixels() || BlockArea(inside) == 0) return;
    const std::size_t blockWidth = static_cast<std::size_t>(block.right - block.left);
    for (std::int32_t y = inside.top; y < inside.bottom; ++y) {
        TColor* row = colours.data() + static_cast<std::size_t>(y - block.top) * blockWidth +
                      static_cast<std::size_t>(inside.left - block.left);
        mImage->device->ReadColours(y, inside.left, inside.right - inside.left, row);
    }
}

void TBitmap::WriteColours(const TRect& block, std::span<const TColor> colours) {
    CheckBlockBuffer(block, colours.size());
    BeforeChange();
    const TRect inside = ClipToImage(block, ImageWidth(), ImageHeight());
    if (HasPixels() && BlockArea(inside) > 0) {
        const std::size_t blockWidth = static_cast<std::size_t>(block.right - block.left);
        std::vector<TColor> row(static_cast<std::size_t>(inside.right - inside.left));
        for (std::int32_t y = inside.top; y < inside.bottom; ++y) {
            const TColor* from = colours.data() +
                                 static_cast<std::size_t>(y - block.top) * blockWidth +
                                 static_cast<std::size_t>(inside.left - block.left);
            std::transform(from, from + row.size(), row.begin(), gdi::ResolvedColour);
            mImage->device->WriteColours(y, inside.left, static_cast<std::int32_t>(row.size()),
                                         row.data());
        }
    }
    AnnounceChange();
}

void TBitmap::CopyBlock(TPoint to, const TBitmap& source, const TRect& block) {
    BeforeChange();
    if (HasPixels() && source.HasPixels()) {
        gdi::BitBlt(*mImage->device, to.X, to.Y, block.right - block.left, block.bottom - block.top,
                    *source.mImage->device, block.left, block.top);
    }
    AnnounceChange();
}

void TBitmap::EnsureSection() {
    Image& image = *mImage;
    if (!image.device || image.section) return;
    gdi::BitmapInfoHeader header = image.description.dsBmih;
    if (!HasHeader()) {
        header = gdi::DeviceSectionHeader(image.device->Width(), image.device->Height(),
                                          image.device->BitsPerPixel());
    }
    ReleaseContextsHolding(image.device.get());
    gdi::ImageHandle section = Required(gdi::CreateDIBSection(header, image.description.dsBitfields, {}));
    gdi::GetDIBits(*image.device, *section);
    image.description = section->Describe();
    image.section = section;
}

TCanvas& TBitmap::DrawingSurface() {
    if (!mCanvas) mCanvas = std::make_unique<TCanvas>(*this);
    return *mCanvas;
}

void TBitmap::ReleaseContext() {
    if (mCanvas) mCanvas->ReleaseContext();
}

void TBitmap::AssignImage(const TBitmap& source) {
    if (&source == this) return;
    ReleaseContext();
    mImage = source.mImage;
    AnnounceChange();
}

void TBitmap::Replace(gdi::ImageHandle pixels, gdi::PaletteHandle palette) {
    auto image = std::make_shared<Image>();
    if (pixels) image->description = pixels->Describe();
    image->section = pixels && pixels->IsSection() ? pixels : nullptr;
    image->device = std::move(pixels);
    image->palette = std::move(palette);
    mImage = std::move(image);
}

void TBitmap::AnnounceChange() {
    if (mListener) mListener();
}

void TBitmap::BeforeChange() {
    const bool deviceForm = PixelDepth() == TPixelDepth::DepthDevice;
    if (mImage.use_count() > 1) {
        // A preview still holds this image: take an exact private copy and leave it the old.
        const Image& shared = *mImage;
        auto own = std::make_shared<Image>(shared);
        if (shared.device) {
            ReleaseContextsHolding(shared.device.get());
            own->device = Required(shared.device->Clone());
            if (shared.section == shared.device) {
                own->section = own->device;
                own->description.dsBm = own->device->Describe().dsBm;
            }
        }
        mImage = std::move(own);
    }
    if (deviceForm && mImage->section) {
        mImage->section = nullptr;
        mImage->description.dsBm = mImage->device->Describe().dsBm;
    }
}

const gdi::DibSection& BitmapAccess::Description(const TBitmap& bitmap) {
    return bitmap.mImage->description;
}

gdi::DibSection& BitmapAccess::DescriptionForWriting(TBitmap& bitmap) {
    return bitmap.mImage->description;
}

const gdi::ImageHandle& BitmapAccess::DeviceHandle(const TBitmap& bitmap) {
    return bitmap.mImage->device;
}

const gdi::ImageHandle& BitmapAccess::SectionHandle(const TBitmap& bitmap) {
    return bitmap.mImage->section;
}

const gdi::PaletteHandle& BitmapAccess::PaletteHandle(const TBitmap& bitmap) {
    return bitmap.mImage->palette;
}

void BitmapAccess::InstallImage(TBitmap& bitmap, gdi::ImageHandle pixels,
                                gdi::PaletteHandle palette, const gdi::DibSection& description) {
    bitmap.ReleaseContext();
    bitmap.Replace(std::move(pixels), std::move(palette));
    bitmap.mImage->description = description;
    if (!description.dsBm.bmBits) bitmap.mImage->section = nullptr;
}

void BitmapAccess::EnsurePalette(TBitmap& bitmap) {
    TBitmap::Image& image = *bitmap.mImage;
    if (image.palette || !image.device || !image.device->IsSection()) return;
    if (!image.device->ColourTable().empty()) {
        image.palette = gdi::CreatePalette(image.device->ColourTable());
    } else if (DisplayDepth() < image.device->BitsPerPixel()) {
        image.palette = gdi::CreateHalftonePalette();
    }
}

const char* PixelDepthName(TPixelDepth depth) {
    switch (depth) {
        case TPixelDepth::DepthDevice: return "DepthDevice";
        case TPixelDepth::Depth1: return "Depth1";
        case TPixelDepth::Depth4: return "Depth4";
        case TPixelDepth::Depth8: return "Depth8";
        case TPixelDepth::Depth15: return "Depth15";
        case TPixelDepth::Depth16: return "Depth16";
        case TPixelDepth::Depth24: return "Depth24";
        case TPixelDepth::Depth32: return "Depth32";
        case TPixelDepth::DepthOther: return "DepthOther";
    }
    return "?";
}

}  // namespace mosaren
