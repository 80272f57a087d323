#include "preview_picture.h"

#include <QImageReader>
#include <QString>
#include <algorithm>
#include <cctype>

#include "bitmap_image.h"
#include "raster/bitmap.h"
#include "raster/bmp_reader.h"
#include "raster/canvas.h"
#include "raster/exceptions.h"

namespace mosaren {

namespace {
// The preview swallows every failure to load, so these texts are never shown; they tell a
// debugger why a file ended in the empty preview.
constexpr const char* kUnreadableIcon = "Icon image is not valid";
constexpr const char* kUnknownKind = "No picture reader for this file's suffix";
}  // namespace

TPreviewPicture::TPreviewPicture(std::shared_ptr<TBitmap> bitmap) : mBitmap(std::move(bitmap)) {}

TPreviewPicture::TPreviewPicture(QImage icon) : mIcon(std::move(icon)) {}

QSize TPreviewPicture::Size() const {
    if (mBitmap) return {mBitmap->ImageWidth(), mBitmap->ImageHeight()};
    return mIcon.size();
}

QImage TPreviewPicture::Stretched(const QSize& size) const {
    if (size.isEmpty() || Size().isEmpty()) return {};
    if (!mBitmap) return mIcon.scaled(size, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    TBitmap stretched;
    stretched.SetImageWidth(size.width());
    stretched.SetImageHeight(size.height());
    stretched.DrawingSurface().DrawStretched({0, 0, size.width(), size.height()}, mBitmap.get());
    return ToQImage(stretched);
}

std::string PictureSuffix(const std::string& path) {
    const std::string name = path.substr(path.find_last_of('/') + 1);
    const std::size_t stop = name.find_last_of('.');
    if (stop == std::string::npos) return {};
    std::string suffix = name.substr(stop + 1);
    std::transform(suffix.begin(), suffix.end(), suffix.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return suffix;
}

TPreviewPicture LoadPreviewPicture(const std::string& path) {
    const std::string suffix = PictureSuffix(path);
    if (suffix == "bmp") {
        auto bitmap = std::make_shared<TBitmap>();
        ReadBmpFile(*bitmap, path);
        return TPreviewPicture(std::move(bitmap));
    }
    if (suffix == "ico") {
        QImageReader reader(QString::fromStdString(path), QByteArrayLiteral("ico"));
        QImage icon = reader.read();
        if (icon.isNull()) throw EInvalidGraphic(kUnreadableIcon);
        return TPreviewPicture(std::move(icon));
    }
    // Metafiles have no reader here, like every kind the preview does not know.
    throw EInvalidGraphic(kUnknownKind);
}

}  // namespace mosaren
