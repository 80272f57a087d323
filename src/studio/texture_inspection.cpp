#include "texture_inspection.h"

#include <QFileInfo>
#include <QImageReader>
#include <exception>

#include "cli/console.h"
#include "import/picture_import.h"
#include "raster/bitmap.h"
#include "raster/bmp_reader.h"

namespace mosaren::studio {

namespace {

QImage Thumbnail(const QImage& picture) {
    if (picture.isNull()) return {};
    // Pixel art stays crisp: no smoothing, as in the preview.
    return picture.scaled(kThumbnailSide, kThumbnailSide, Qt::KeepAspectRatio,
                          Qt::FastTransformation);
}

QImage ImageOf(const DecodedPicture& picture) {
    QImage image(picture.width, picture.height,
                 picture.hasAlpha ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    for (int y = 0; y < picture.height; ++y) {
        auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < picture.width; ++x) row[x] = picture.At(x, y);
    }
    return image;
}

}  // namespace

TextureInfo InspectTexture(const std::string& path) {
    TextureInfo info;
    info.path = path;
    const QString name = QString::fromStdString(path);
    try {
        if (const std::optional<DecodedPicture> picture = ImportPicture(path)) {
            info.width = picture->width;
            info.height = picture->height;
            info.format = QString::fromLatin1(QImageReader::imageFormat(name)).toUpper();
            if (info.format.isEmpty()) info.format = QFileInfo(name).suffix().toUpper();
            info.thumbnail = Thumbnail(ImageOf(*picture));
        } else {
            TBitmap bitmap;
            ReadBmpFile(bitmap, path);
            info.width = bitmap.ImageWidth();
            info.height = bitmap.ImageHeight();
            info.format = QStringLiteral("BMP");
            QImageReader reader(name);
            info.thumbnail = Thumbnail(reader.read());
        }
        info.readable = true;
    } catch (const std::exception&) {
        info.failure = QString::fromStdString(cli::FailureText(std::current_exception()));
    }
    return info;
}

}  // namespace mosaren::studio
