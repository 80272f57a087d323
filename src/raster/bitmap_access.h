#pragma once

// The raster layer's own way into a bitmap: its image objects, its description and the steps
// that frame a change, which TBitmap keeps from the layers above. The canvas, the BMP reader and
// writer and the raster tests use it; the layers above cannot include it.

#include "bitmap.h"
#include "graphics/graphics.h"

namespace mosaren {

class BitmapAccess {
public:
    static const gdi::DibSection& Description(const TBitmap& bitmap);
    // The writer records default masks and the colour count here; nothing else should.
    static gdi::DibSection& DescriptionForWriting(TBitmap& bitmap);

    static const gdi::ImageHandle& DeviceHandle(const TBitmap& bitmap);
    static const gdi::ImageHandle& SectionHandle(const TBitmap& bitmap);
    static const gdi::PaletteHandle& PaletteHandle(const TBitmap& bitmap);

    // Puts a new image in place of the current one. The section handle becomes the same object
    // when the description gives a pixel address. Sends no notice.
    static void InstallImage(TBitmap& bitmap, gdi::ImageHandle pixels, gdi::PaletteHandle palette,
                             const gdi::DibSection& description);

    static void BeforeChange(TBitmap& bitmap) { bitmap.BeforeChange(); }
    static void AnnounceChange(TBitmap& bitmap) { bitmap.AnnounceChange(); }

    // Gives a device-independent image without a palette the palette it draws with.
    static void EnsurePalette(TBitmap& bitmap);
};

}  // namespace mosaren
