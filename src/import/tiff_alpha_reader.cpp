#include "tiff_alpha_reader.h"

#include <fcntl.h>
#include <tiffio.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "decoder_messages.h"
#include "picture_bounds.h"
#include "picture_import.h"
#include "raster/bitmap.h"
#include "raster/exceptions.h"

namespace mosaren {

namespace {

class TiffFile {
public:
    explicit TiffFile(int descriptor) {
        const int own = ::fcntl(descriptor, F_DUPFD_CLOEXEC, 0);
        if (own < 0) return;
        ::lseek(own, 0, SEEK_SET);
        mTiff = TIFFFdOpen(own, "texture", "r");
        if (!mTiff) ::close(own);
    }
    ~TiffFile() {
        if (mTiff) TIFFClose(mTiff);
    }
    TiffFile(const TiffFile&) = delete;
    TiffFile& operator=(const TiffFile&) = delete;

    TIFF* Get() const { return mTiff; }

private:
    TIFF* mTiff = nullptr;
};

template <class T>
T Field(TIFF* tiff, ttag_t tag, T otherwise) {
    T value = otherwise;
    return TIFFGetField(tiff, tag, &value) == 1 ? value : otherwise;
}

}  // namespace

std::optional<DecodedPicture> ReadTiffWithUnassociatedAlpha(int descriptor) {
    DecoderMessages messages;
    const TiffFile file(descriptor);
    TIFF* tiff = file.Get();
    if (!tiff || TIFFIsTiled(tiff)) return std::nullopt;
    std::uint16_t extraCount = 0;
    std::uint16_t* extras = nullptr;
    std::uint32_t iccLength = 0;
    void* icc = nullptr;
    if (Field<std::uint16_t>(tiff, TIFFTAG_PHOTOMETRIC, 0) != PHOTOMETRIC_RGB ||
        Field<std::uint16_t>(tiff, TIFFTAG_SAMPLESPERPIXEL, 0) != 4 ||
        Field<std::uint16_t>(tiff, TIFFTAG_BITSPERSAMPLE, 0) != 8 ||
        Field<std::uint16_t>(tiff, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG) != PLANARCONFIG_CONTIG ||
        Field<std::uint16_t>(tiff, TIFFTAG_ORIENTATION, ORIENTATION_TOPLEFT) != ORIENTATION_TOPLEFT ||
        TIFFGetField(tiff, TIFFTAG_EXTRASAMPLES, &extraCount, &extras) != 1 || extraCount != 1 ||
        extras[0] != EXTRASAMPLE_UNASSALPHA ||
        TIFFGetField(tiff, TIFFTAG_ICCPROFILE, &iccLength, &icc) == 1) {
        return std::nullopt;
    }
    const auto width = Field<std::uint32_t>(tiff, TIFFTAG_IMAGEWIDTH, 0);
    const auto height = Field<std::uint32_t>(tiff, TIFFTAG_IMAGELENGTH, 0);
    if (width == 0 || height == 0 || width > 0x7FFFFFFF || height > 0x7FFFFFFF) {
        throw EInvalidGraphic(std::string(kUnreadablePicture) + ": " +
                              messages.With("TIFF file has no pixels"));
    }
    TBitmap::CheckSectionSize(static_cast<std::int32_t>(width), static_cast<std::int32_t>(height), 32);
    const WholeDecoding decoding(width, height);
    if (static_cast<std::uint64_t>(TIFFScanlineSize64(tiff)) != std::uint64_t{width} * 4) return std::nullopt;

    DecodedPicture picture;
    picture.width = static_cast<std::int32_t>(width);
    picture.height = static_cast<std::int32_t>(height);
    picture.hasAlpha = true;
    picture.pixels.resize(std::size_t{width} * height);
    std::vector<std::uint8_t> row(std::size_t{width} * 4);
    for (std::uint32_t y = 0; y < height; ++y) {
        if (TIFFReadScanline(tiff, row.data(), y, 0) < 0) {
            throw EInvalidGraphic(std::string(kUnreadablePicture) + ": " +
                                  messages.With("Unable to read image data"));
        }
        std::uint32_t* out = picture.pixels.data() + std::size_t{y} * width;
        for (std::uint32_t x = 0; x < width; ++x) {
            const std::uint8_t* p = row.data() + std::size_t{x} * 4;
            out[x] = (std::uint32_t{p[3]} << 24) | (std::uint32_t{p[0]} << 16) |
                     (std::uint32_t{p[1]} << 8) | p[2];
        }
    }
    return picture;
}

}  // namespace mosaren
