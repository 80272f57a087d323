#include "bmp_reader.h"

#include <algorithm>
#include <cstdlib>
#include <new>
#include <vector>

#include "bitmap.h"
#include "bitmap_access.h"
#include "bmp_bounded_reader.h"
#include "bmp_header.h"
#include "byte_stream.h"
#include "exceptions.h"
#include "graphics/graphics.h"

namespace mosaren {

namespace {

// The graphics layer refused to make the image of a header. A refusal that carries an error
// code (an image beyond the layer's size cap carries ENOMEM) is a system error with the
// layer's text; one without a code means the layer does not accept the header at all.
[[noreturn]] void ThrowRefusal() {
    const int code = gdi::LastError();
    if (code != 0) throw SystemError(code, gdi::ErrorText(code));
    throw EInvalidGraphic(messages::kInvalidBitmap);
}

// Bytes of pixel data the header describes: biSizeImage, or when that is 0 the rows the width
// and bit count need. Saturates instead of overflowing; the layer refuses what is too large.
std::uint64_t ImageSize(const gdi::BitmapInfoHeader& info) {
    if (info.biSizeImage != 0) return info.biSizeImage;
    if (info.biWidth <= 0) return 0;
    const std::uint64_t stride = gdi::DibRowStride(info.biWidth, info.biBitCount);
    const std::uint64_t rows = static_cast<std::uint64_t>(std::llabs(std::int64_t{info.biHeight}));
    if (stride != 0 && rows > UINT64_MAX / stride) return UINT64_MAX;
    return stride * rows;
}

// A writer may leave a gap between the colour table and the pixels and say so in bfOffBits.
// The gap is skipped when bfOffBits lies after the end of the table and within the file; an
// offset inside the table or past the end of the file is not believed, and the pixels are
// taken right after the table.
void SkipGapBeforePixels(BmpBoundedReader& reader, std::uint32_t offBits) {
    const std::uint64_t tableEnd = reader.Position();
    const std::uint64_t fileEnd = tableEnd + reader.Remaining();
    if (offBits <= tableEnd || offBits > fileEnd) return;
    if (!reader.TrySkip(offBits - tableEnd)) throw EReadError(messages::kStreamRead);
}

struct NewImage {
    gdi::ImageHandle pixels;
    gdi::PaletteHandle palette;
};

// Plain and bit-field files: a section of the file's own layout, filled straight from the file
// in file order. Never more bytes than the section holds, whatever biSizeImage claims.
NewImage ReadSection(BmpBoundedReader& reader, const BmpHeaders& headers, std::uint64_t d) {
    gdi::ImageHandle section =
        gdi::CreateDIBSection(headers.info, headers.masks, headers.colours);
    if (!section) ThrowRefusal();
    const std::uint64_t take = std::min<std::uint64_t>(d, section->ByteSize());
    reader.ReadWhole(section->Bits(), static_cast<std::size_t>(take));
    return {std::move(section), nullptr};
}

// Run-length (and any other compressed) files: the layer decodes the data into a device image
// with the file's palette, or refuses what it cannot decode.
NewImage ReadEncoded(BmpBoundedReader& reader, const BmpHeaders& headers, std::uint64_t d) {
    // Read in pieces, so that what is allocated grows with the bytes that really arrive and not
    // with what a header claims of a stream that then ends.
    constexpr std::uint64_t kPiece = std::uint64_t{1} << 20;
    std::vector<std::uint8_t> data;
    while (data.size() < d) {
        const std::size_t before = data.size();
        const auto piece = static_cast<std::size_t>(std::min<std::uint64_t>(kPiece, d - before));
        data.resize(before + piece);
        reader.ReadWhole(data.data() + before, piece);
    }

    // The decoding runs on a memory context that holds a 1 × 1 screen-compatible image, with
    // the file's palette selected into it; all of it is released when this returns or raises.
    std::unique_ptr<gdi::DeviceContext> context = gdi::CreateCompatibleDC();
    if (!context) RaiseOutOfResources();
    context->selected = gdi::CreateCompatibleBitmap(1, 1);
    if (!context->selected) RaiseOutOfResources();
    gdi::PaletteHandle palette;
    if (!headers.colours.empty()) {
        palette = gdi::CreatePalette(headers.colours);
        context->palette = palette;
    }

    gdi::ImageHandle image = gdi::CreateDIBitmap(headers.info, headers.colours, data);
    if (!image) ThrowRefusal();
    return {std::move(image), std::move(palette)};
}

void ReadBmpImage(TBitmap& bitmap, InputStream& stream, std::uint64_t count) {
    BmpBoundedReader reader(stream, count);
    const BmpHeaders headers = ReadBmpHeaders(reader);
    const gdi::BitmapInfoHeader& info = headers.info;

    SkipGapBeforePixels(reader, headers.offBits);
    // Both the claim and what the file has left are bounded here; the section bounds it again.
    const std::uint64_t d = std::min(ImageSize(info), reader.Remaining());

    NewImage image = (info.biCompression == gdi::kBiRgb || info.biCompression == gdi::kBiBitfields)
                         ? ReadSection(reader, headers, d)
                         : ReadEncoded(reader, headers, d);

    // A table in a file of more than 8 bits does not colour its pixels; it becomes the image's
    // palette, for drawing on a display of fewer colours.
    if (info.biBitCount > 8 && !headers.colours.empty() && !image.palette) {
        image.palette = gdi::CreatePalette(headers.colours);
    }

    gdi::DibSection description{};
    description = image.pixels->Describe();
    description.dsBmih.biXPelsPerMeter = info.biXPelsPerMeter;
    description.dsBmih.biYPelsPerMeter = info.biYPelsPerMeter;
    description.dsBmih.biClrUsed = info.biClrUsed;
    description.dsBmih.biClrImportant = info.biClrImportant;

    BitmapAccess::InstallImage(bitmap, std::move(image.pixels), std::move(image.palette),
                               description);
    BitmapAccess::AnnounceChange(bitmap);
}

}  // namespace

void ReadBmp(TBitmap& bitmap, InputStream& stream, std::uint64_t count) {
    bitmap.ReleaseContext();
    if (count == 0) {
        BitmapAccess::InstallImage(bitmap, nullptr, nullptr, gdi::DibSection{});
        return;
    }
    try {
        ReadBmpImage(bitmap, stream, count);
    } catch (const std::bad_alloc&) {
        throw EOutOfMemory(messages::kOutOfMemory);
    }
}

void ReadBmpFile(TBitmap& bitmap, const std::string& fileName) {
    FileInputStream stream(fileName);
    ReadBmp(bitmap, stream, stream.Size());
}

}  // namespace mosaren
