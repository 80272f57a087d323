#pragma once

// The picture the open dialogs preview, and the loader that chooses how to read a file by its
// suffix. What the preview loads is for the user's eyes only: the commands read the chosen file
// again themselves.

#include <QImage>
#include <QSize>
#include <memory>
#include <string>

namespace mosaren {

class TBitmap;

// None, a bitmap read by our own BMP reader, or an icon read by Qt. A picture is never changed
// once loaded, so copies share it.
class TPreviewPicture {
public:
    TPreviewPicture() = default;
    explicit TPreviewPicture(std::shared_ptr<TBitmap> bitmap);
    explicit TPreviewPicture(QImage icon);

    bool IsNone() const { return !mBitmap && mIcon.isNull(); }
    QSize Size() const;
    // The whole picture stretched to size, each pixel taken from the source pixel under its
    // centre, never smoothed; null for a size or picture without extent.
    QImage Stretched(const QSize& size) const;

private:
    std::shared_ptr<TBitmap> mBitmap;
    QImage mIcon;
};

// The characters after the last full stop of the file's name (the part after the last "/"), in
// lower case; empty when the name has no full stop.
std::string PictureSuffix(const std::string& path);

// Reads the file as the kind of picture its suffix names: "bmp" through ReadBmpFile, "ico"
// through Qt's icon reader. Metafiles ("emf", "wmf"), any other suffix and a file that cannot be
// read raise a failure, as ReadBmpFile does for a bad bitmap.
TPreviewPicture LoadPreviewPicture(const std::string& path);

}  // namespace mosaren
