#pragma once

// How the layer reads and writes the stored values of one image's pixels. Internal to the
// raster layer: the graphics layer's images, and the readers and writers that decode or encode
// rows of an image's layout without making the image.

#include <cstdint>
#include <span>

#include "graphics.h"

namespace mosaren::gdi {

enum class PixelKind { Indexed1, Indexed4, Indexed8, Rgb555, Masked16, Bgr24, Bgrx32, Masked32 };

// One colour channel of a bit-field pixel: value = (pixel & mask) >> shift, 0 to maximum.
struct Channel {
    std::uint32_t mask = 0;
    int shift = 0;
    std::uint32_t maximum = 0;

    static Channel FromMask(std::uint32_t mask);
    std::uint8_t Widen(std::uint32_t pixel) const;    // exact scaling to 0..255
    std::uint32_t Narrow(std::uint8_t value) const;  // nearest stored value, in place
};

struct PixelFormat {
    PixelKind kind = PixelKind::Bgr24;
    Channel red, green, blue;  // masked kinds only

    static PixelFormat Of(int bitCount, std::uint32_t compression,
                          const std::array<std::uint32_t, 3>& masks);
    static PixelFormat Of(const Image& image);
};

// The stored values of a row of pixels in one format, read as colours and written from them.
// An indexed format reads an index past the table as black and writes the nearest entry. Every
// image of the layer reads and writes its rows through this, and so does whatever decodes or
// encodes rows of an image's layout without the image.
class RowCodec {
public:
    RowCodec(const PixelFormat& format, std::span<const RgbQuad> table)
        : mFormat(format), mTable(table) {}
    static RowCodec Of(const Image& image);

    // The colours of count pixels of row from column x.
    void Read(const std::uint8_t* row, std::int32_t x, std::int32_t count, ColorRef* out) const;
    // The colours of the pixels at count columns of row, in the order given.
    void ReadAt(const std::uint8_t* row, const std::int32_t* columns, std::int32_t count,
                ColorRef* out) const;
    // Stores count colours into row from column x.
    void Write(std::uint8_t* row, std::int32_t x, std::int32_t count, const ColorRef* in) const;

private:
    template <typename Column>
    void ReadColumns(const std::uint8_t* row, std::int32_t count, Column column,
                     ColorRef* out) const;

    PixelFormat mFormat;
    std::span<const RgbQuad> mTable;
};

// Whether two images store their pixels alike, so that a block copy may copy stored values.
bool SameStoredValues(const Image& a, const Image& b);

// The index of the table entry nearest to colour (squared distance; the first of equals).
std::uint8_t NearestIndex(std::span<const RgbQuad> table, ColorRef colour);

// Copies count stored values of row sy of src, from column sx, to row dy of dst at column dx;
// the two images store their pixels alike (SameStoredValues).
void CopyStoredValues(Image& dst, std::int32_t dy, std::int32_t dx, const Image& src,
                      std::int32_t sy, std::int32_t sx, std::int32_t count);

// Records a refusal: the layer's functions then return null.
void SetLastError(int code);

inline ColorRef ColourOf(const RgbQuad& q) { return Rgb(q.red, q.green, q.blue); }

}  // namespace mosaren::gdi
