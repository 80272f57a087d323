#include "picture_import.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <tiffio.h>

#include <QBuffer>
#include <QColorSpace>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <array>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <span>
#include <vector>

#include "decoder_messages.h"
#include "gif_structure.h"
#include "jpeg_source.h"
#include "picture_bounds.h"
#include "png_source.h"
#include "pnm_reader.h"
#include "raster/bitmap.h"
#include "raster/exceptions.h"
#include "raster/image_limits.h"
#include "tga_reader.h"
#include "tiff_alpha_reader.h"

namespace mosaren {

namespace {

// The most of a TGA or PNM file read: more than a picture within the bounds of one decoded whole
// can take in either.
constexpr std::size_t kMostFileBytes = std::size_t{512} << 20;

// A regular file open for reading; anything else (a file that cannot be opened, a folder, a
// FIFO, which is not waited on) is left to the BMP reader, which refuses it in its own words.
class RegularFile {
public:
    explicit RegularFile(const std::string& fileName)
        : mDescriptor(::open(fileName.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC)) {
        struct stat status {};
        if (mDescriptor >= 0 && (::fstat(mDescriptor, &status) != 0 || !S_ISREG(status.st_mode))) {
            ::close(mDescriptor);
            mDescriptor = -1;
        }
        if (mDescriptor >= 0) mSize = static_cast<std::size_t>(status.st_size);
    }
    ~RegularFile() {
        if (mDescriptor >= 0) ::close(mDescriptor);
    }
    RegularFile(const RegularFile&) = delete;
    RegularFile& operator=(const RegularFile&) = delete;

    bool IsOpen() const { return mDescriptor >= 0; }
    int Descriptor() const { return mDescriptor; }

    // Up to count bytes from the start.
    std::vector<std::uint8_t> Start(std::size_t count) const {
        std::vector<std::uint8_t> bytes(std::min(count, mSize));
        std::size_t got = 0;
        while (got < bytes.size()) {
            const ssize_t n = ::pread(mDescriptor, bytes.data() + got, bytes.size() - got,
                                      static_cast<off_t>(got));
            if (n <= 0) break;
            got += static_cast<std::size_t>(n);
        }
        bytes.resize(got);
        return bytes;
    }

private:
    int mDescriptor;
    std::size_t mSize = 0;
};

enum class Format { Bmp, Png, Jpeg, Gif, Tiff, WebP, Pnm, Tga };

bool Begins(std::span<const std::uint8_t> bytes, const char* signature, std::size_t length,
            std::size_t at = 0) {
    return bytes.size() >= at + length && std::memcmp(bytes.data() + at, signature, length) == 0;
}

// The format by the first bytes; a TGA file, which has no signature, by its header making sense.
Format FormatOf(std::span<const std::uint8_t> start) {
    if (start.size() < 2 || Begins(start, "BM", 2)) return Format::Bmp;
    if (Begins(start, "\x89PNG\r\n\x1a\n", 8)) return Format::Png;
    if (Begins(start, "\xFF\xD8\xFF", 3)) return Format::Jpeg;
    if (Begins(start, "GIF87a", 6) || Begins(start, "GIF89a", 6)) return Format::Gif;
    if (Begins(start, "II*\0", 4) || Begins(start, "MM\0*", 4)) return Format::Tiff;
    if (Begins(start, "RIFF", 4) && Begins(start, "WEBP", 4, 8)) return Format::WebP;
    if (IsPnmHeader(start)) return Format::Pnm;
    if (IsTgaHeader(start)) return Format::Tga;
    return Format::Bmp;
}

[[noreturn]] void Unreadable(const std::string& reason) {
    throw EInvalidGraphic(std::string(kUnreadablePicture) + ": " + reason);
}

// A picture that Qt's readers decode whole, held as Qt decoded it: 0xAARRGGBB words, not
// premultiplied, in sRGB.
class QtPictureSource final : public TextureSource {
public:
    explicit QtPictureSource(QImage image) : mImage(std::move(image)) {}

    std::int32_t Width() const override { return mImage.width(); }
    std::int32_t Height() const override { return mImage.height(); }
    bool HasAlpha() const override { return mImage.hasAlphaChannel(); }
    void ReadPixels(const PixelSamples& samples, std::span<TColor> colours,
                    std::span<std::uint8_t> alpha) override {
        const bool hasAlpha = HasAlpha();
        for (const PixelSamples::Row& row : samples.rows) {
            const auto* line = reinterpret_cast<const std::uint32_t*>(mImage.constScanLine(row.y));
            for (std::uint32_t i = row.first; i < row.first + row.count; ++i) {
                const std::uint32_t argb = line[samples.columns[i]];
                colours[i] = ColourOfArgb(argb);
                if (hasAlpha) alpha[i] = AlphaOfArgb(argb);
            }
        }
    }
    DecodedPicture ReadWhole() override {
        DecodedPicture picture;
        picture.width = Width();
        picture.height = Height();
        picture.hasAlpha = HasAlpha();
        picture.pixels.resize(static_cast<std::size_t>(picture.width) * picture.height);
        for (std::int32_t y = 0; y < picture.height; ++y) {
            std::memcpy(picture.pixels.data() + static_cast<std::size_t>(y) * picture.width,
                        mImage.constScanLine(y), static_cast<std::size_t>(picture.width) * 4);
        }
        return picture;
    }

private:
    QImage mImage;
};

// Qt's readers refuse to allocate a picture beyond a limit of their own; ours is the bound of a
// picture decoded whole.
void AllowPicturesUpToTheBound() {
    static const bool allowed = [] {
        QImageReader::setAllocationLimit(static_cast<int>((kWholePicturePixels * 4) >> 20) + 1);
        return true;
    }();
    (void)allowed;
}

// libtiff prints its warnings and errors itself unless told otherwise, and Qt's reader does not
// tell it: they go to the texture being read instead.
void KeepTiffMessage(const char* module, const char* format, va_list arguments) {
    DecoderMessages* messages = DecoderMessages::Current();
    if (!messages) return;
    char text[512] = {};
    std::vsnprintf(text, sizeof text, format, arguments);
    try {
        messages->Add(module ? std::string(module) + ": " + text : std::string(text));
    } catch (...) {
    }
}

void KeepTiffMessages() {
    static const bool kept = [] {
        TIFFSetWarningHandler(KeepTiffMessage);
        TIFFSetErrorHandler(KeepTiffMessage);
        return true;
    }();
    (void)kept;
}

std::unique_ptr<TextureSource> ReadByQt(const RegularFile& file, const char* format) {
    DecoderMessages messages;
    // From the first byte, whoever read the file before (its descriptor shares the offset).
    ::lseek(file.Descriptor(), 0, SEEK_SET);
    QFile device;
    if (!device.open(file.Descriptor(), QIODevice::ReadOnly, QFileDevice::DontCloseHandle)) {
        Unreadable("the file cannot be read");
    }
    QImageReader reader(&device, format);
    reader.setAutoTransform(false);
    AllowPicturesUpToTheBound();
    // Both bounds from the header, before anything is decoded.
    const QSize size = reader.size();
    if (!size.isValid()) Unreadable(messages.With(reader.errorString().toStdString()));
    TBitmap::CheckSectionSize(size.width(), size.height(), 32);
    const WholeDecoding decoding(size.width(), size.height());
    const QImageIOHandler::Transformations turn = reader.transformation();

    QImage image;
    if (!reader.read(&image)) Unreadable(messages.With(reader.errorString().toStdString()));
    // The profile first, at the picture's own precision, so that 16-bit channels are rounded
    // once; then the orientation, which would drop it.
    const QColorSpace space = image.colorSpace();
    if (space.isValid() && space != QColorSpace(QColorSpace::SRgb)) {
        image.convertTo(image.depth() > 32 ? QImage::Format_RGBA64 : QImage::Format_ARGB32);
        image.convertToColorSpace(QColorSpace(QColorSpace::SRgb));
    }
    image.convertTo(QImage::Format_ARGB32);
    if (turn != QImageIOHandler::TransformationNone) {
        QTransform transform;
        if (turn & QImageIOHandler::TransformationMirror) transform.scale(-1, 1);
        if (turn & QImageIOHandler::TransformationFlip) transform.scale(1, -1);
        if (turn & QImageIOHandler::TransformationRotate90) transform = transform * QTransform().rotate(90);
        image = image.transformed(transform);
        image.convertTo(QImage::Format_ARGB32);
    }
    if (image.isNull()) throw std::bad_alloc();
    return std::make_unique<QtPictureSource>(std::move(image));
}

}  // namespace

std::unique_ptr<TextureSource> OpenTexture(const std::string& fileName) {
    const RegularFile file(fileName);
    if (!file.IsOpen()) return nullptr;
    const std::vector<std::uint8_t> start = file.Start(32);
    switch (FormatOf(start)) {
        case Format::Bmp:
            return nullptr;
        case Format::Png:
            return OpenPngSource(file.Descriptor());
        case Format::Jpeg:
            return OpenJpegSource(file.Descriptor());
        case Format::Gif: {
            const GifScreen screen = CheckGifFirstFrame(file.Start(kMostFileBytes));
            TBitmap::CheckSectionSize(screen.width, screen.height, 32);
            CheckWholePicture(screen.width, screen.height);
            return ReadByQt(file, "gif");
        }
        case Format::Tiff:
            KeepTiffMessages();
            if (std::optional<DecodedPicture> picture = ReadTiffWithUnassociatedAlpha(file.Descriptor())) {
                return std::make_unique<DecodedPictureSource>(std::move(*picture));
            }
            return ReadByQt(file, "tiff");
        case Format::WebP:
            return ReadByQt(file, "webp");
        case Format::Pnm:
            return std::make_unique<DecodedPictureSource>(ReadPnm(file.Start(kMostFileBytes)));
        case Format::Tga:
            return std::make_unique<DecodedPictureSource>(ReadTga(file.Start(kMostFileBytes)));
    }
    return nullptr;
}

std::optional<DecodedPicture> ImportPicture(const std::string& fileName) {
    const std::unique_ptr<TextureSource> source = OpenTexture(fileName);
    if (!source) return std::nullopt;
    return source->ReadWhole();
}

}  // namespace mosaren
