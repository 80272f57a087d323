#include "picture_import.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QColorSpace>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <cstring>

#include "raster/bitmap.h"
#include "raster/exceptions.h"
#include "raster/image_limits.h"

namespace mosaren {

namespace {

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
    }
    ~RegularFile() {
        if (mDescriptor >= 0) ::close(mDescriptor);
    }
    RegularFile(const RegularFile&) = delete;
    RegularFile& operator=(const RegularFile&) = delete;

    bool IsOpen() const { return mDescriptor >= 0; }
    int Descriptor() const { return mDescriptor; }

    // Whether the file is a BMP file, or too short to be any picture: the BMP reader's then.
    bool IsForBmpReader() const {
        char start[2] = {};
        return ::pread(mDescriptor, start, sizeof start, 0) != sizeof start ||
               std::memcmp(start, "BM", sizeof start) == 0;
    }

private:
    int mDescriptor;
};

// Qt's readers refuse to allocate a picture beyond a limit of their own; ours is the cap the
// raster layer holds every picture to.
void AllowPicturesUpToTheCap() {
    static const bool allowed = [] {
        QImageReader::setAllocationLimit(static_cast<int>(kMaxImageBytes >> 20));
        return true;
    }();
    (void)allowed;
}

// The format of the picture on the device, told by its content alone; empty when no reader
// recognises it. A TGA file has no signature, and an uncompressed one begins as a Windows cursor
// does, which no one tiles: where the TGA reader takes the header, the file is a TGA file.
QByteArray FormatByContent(QIODevice& device) {
    QByteArray format = QImageReader::imageFormat(&device);
    if (format.isEmpty() || format == "ico" || format == "cur") {
        device.seek(0);
        if (QImageReader(&device, "tga").canRead()) format = "tga";
    }
    return format;
}

[[noreturn]] void Unreadable(const QString& reason) {
    throw EInvalidGraphic(std::string(kUnreadablePicture) + ": " + reason.toStdString());
}

// The picture in sRGB at 8 bits per channel, not premultiplied.
DecodedPicture ToDecodedPicture(QImage image) {
    DecodedPicture picture;
    picture.hasAlpha = image.hasAlphaChannel();
    const QColorSpace space = image.colorSpace();
    if (space.isValid() && space != QColorSpace(QColorSpace::SRgb)) {
        // Converted at the picture's own precision, so that 16-bit channels are rounded once.
        image.convertTo(image.depth() > 32 ? QImage::Format_RGBA64 : QImage::Format_ARGB32);
        image.convertToColorSpace(QColorSpace(QColorSpace::SRgb));
    }
    image.convertTo(QImage::Format_ARGB32);
    if (image.isNull()) throw std::bad_alloc();
    picture.width = image.width();
    picture.height = image.height();
    picture.pixels.resize(static_cast<std::size_t>(picture.width) *
                          static_cast<std::size_t>(picture.height));
    for (std::int32_t y = 0; y < picture.height; ++y) {
        std::memcpy(picture.pixels.data() + static_cast<std::size_t>(y) * picture.width,
                    image.constScanLine(y), static_cast<std::size_t>(picture.width) * 4);
    }
    return picture;
}

}  // namespace

std::optional<DecodedPicture> ImportPicture(const std::string& fileName) {
    const RegularFile file(fileName);
    if (!file.IsOpen() || file.IsForBmpReader()) return std::nullopt;

    QFile device;
    if (!device.open(file.Descriptor(), QIODevice::ReadOnly, QFileDevice::DontCloseHandle)) {
        return std::nullopt;
    }
    const QByteArray format = FormatByContent(device);
    // A file that no reader recognises is what it was before any other format was read: a
    // BMP file that is not valid.
    if (format.isEmpty()) return std::nullopt;
    device.seek(0);
    QImageReader reader(&device, format);
    reader.setAutoTransform(true);
    AllowPicturesUpToTheCap();
    // A picture beyond the cap is refused from its header, before anything is decoded.
    const QSize size = reader.size();
    if (size.isValid()) TBitmap::CheckSectionSize(size.width(), size.height(), 32);

    QImage image;
    if (!reader.read(&image)) Unreadable(reader.errorString());
    return ToDecodedPicture(std::move(image));
}

}  // namespace mosaren
