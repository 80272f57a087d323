#include "bmp_reader.h"

#include <algorithm>
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

struct NewImage {
    gdi::ImageHandle pixels;
    gdi::PaletteHandle palette;
};

// Plain and bit-field files: a section of the file's own layout, filled straight from the file
// in file order. Never more bytes than the section holds, whatever biSizeImage claims.
NewImage ReadSection(BmpBoundedReader& reader, const BmpHeaders& headers, std::uint64_t d) {
    gdi::ImageHandle section =
        gdi::CreateDIBSection(headers.info, headers.masks, headers.colours);
    if (!section) RaiseImageRefusal();
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

    gdi::ImageHandle image = gdi::CreateDIBitmap(headers.info, headers.colours, data);
    if (!image) RaiseImageRefusal();
    // The device image keeps no table; its palette does, for converting it later.
    gdi::PaletteHandle palette;
    if (!headers.colours.empty()) palette = gdi::CreatePalette(headers.colours);
    return {std::move(image), std::move(palette)};
}

void ReadBmpImage(TBitmap& bitmap, InputStream& stream, std::uint64_t count) {
    BmpBoundedReader reader(stream, count);
    const BmpPixelData layout = ReadBmpLayout(reader);
    const BmpHeaders& headers = layout.headers;
    const gdi::BitmapInfoHeader& info = headers.info;
    const std::uint64_t d = layout.size;

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
