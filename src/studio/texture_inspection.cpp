#include "texture_inspection.h"

#include <glob.h>

#include <QFileInfo>
#include <QImageReader>
#include <algorithm>
#include <exception>
#include <filesystem>
#include <vector>

#include "cli/console.h"
#include "cli/texture_folders.h"
#include "cli/usage_error.h"
#include "import/picture_import.h"
#include "raster/bitmap.h"
#include "raster/bmp_reader.h"
#include "raster/colour.h"
#include "raster/geometry.h"

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

// The thumbnail of a bitmap our BMP reader read, by its colours: the pixels nearest the
// thumbnail's, one row of the bitmap at a time, so that a large picture costs no more than a
// small one.
QImage ThumbnailOf(const TBitmap& bitmap) {
    const int width = bitmap.ImageWidth();
    const int height = bitmap.ImageHeight();
    if (width <= 0 || height <= 0) return {};
    const double scale =
        std::min(1.0, static_cast<double>(kThumbnailSide) / std::max(width, height));
    const int thumbWidth = std::max(1, static_cast<int>(width * scale));
    const int thumbHeight = std::max(1, static_cast<int>(height * scale));
    QImage thumbnail(thumbWidth, thumbHeight, QImage::Format_RGB32);
    std::vector<TColor> row(static_cast<std::size_t>(width));
    for (int y = 0; y < thumbHeight; ++y) {
        const int from = static_cast<int>(static_cast<long long>(y) * height / thumbHeight);
        bitmap.ReadColours(TRect{0, from, width, from + 1}, row);
        for (int x = 0; x < thumbWidth; ++x) {
            const TColor colour =
                row[static_cast<std::size_t>(static_cast<long long>(x) * width / thumbWidth)];
            thumbnail.setPixel(x, y, qRgb(RedOf(colour), GreenOf(colour), BlueOf(colour)));
        }
    }
    return thumbnail;
}

// The files a project's pattern names, as the build takes them: sorted, less earlier tiles.
std::vector<std::string> PatternMatches(const std::string& pattern) {
    glob_t matches{};
    const int status = ::glob(pattern.c_str(), 0, nullptr, &matches);
    std::vector<std::string> files;
    for (std::size_t k = 0; status == 0 && k < matches.gl_pathc; ++k) {
        files.emplace_back(matches.gl_pathv[k]);
    }
    ::globfree(&matches);
    return cli::WithoutEarlierTiles(files);
}

}  // namespace

TextureInfo InspectTexture(const std::string& path) {
    TextureInfo info;
    info.path = path;
    info.first = path;
    try {
        std::vector<std::string> pictures;
        if (path.find_first_of("*?[") != std::string::npos) {
            info.several = true;
            pictures = PatternMatches(path);
        } else if (std::filesystem::is_directory(path)) {
            info.several = true;
            pictures = cli::ExpandTextureFolders({path}, false, {});
        }
        if (info.several) {
            if (pictures.empty()) throw cli::EUsageError("'" + path + "' matches no file");
            info.pictures = static_cast<int>(pictures.size());
            info.first = pictures.front();
        }
    } catch (const std::exception&) {
        info.failure = QString::fromStdString(cli::FailureText(std::current_exception()));
        return info;
    }
    const std::string& file = info.first;
    const QString name = QString::fromStdString(file);
    try {
        if (const std::optional<DecodedPicture> picture = ImportPicture(file)) {
            info.width = picture->width;
            info.height = picture->height;
            info.format = QString::fromLatin1(QImageReader::imageFormat(name)).toUpper();
            if (info.format.isEmpty()) info.format = QFileInfo(name).suffix().toUpper();
            info.thumbnail = Thumbnail(ImageOf(*picture));
        } else {
            TBitmap bitmap;
            ReadBmpFile(bitmap, file);
            info.width = bitmap.ImageWidth();
            info.height = bitmap.ImageHeight();
            info.format = QStringLiteral("BMP");
            info.thumbnail = ThumbnailOf(bitmap);
        }
        info.readable = true;
    } catch (const std::exception&) {
        info.failure = QString::fromStdString(cli::FailureText(std::current_exception()));
    }
    return info;
}

}  // namespace mosaren::studio
