#include "texture_list.h"

#include <QDragEnterEvent>
#include <QFileInfo>
#include <QFutureWatcher>
#include <QKeyEvent>
#include <QMimeData>
#include <QPainter>
#include <QUrl>
#include <QtConcurrent/QtConcurrentRun>

#include "cli/texture_folders.h"

namespace mosaren::studio {

namespace {

constexpr int kPathRole = Qt::UserRole;

std::vector<std::string> DroppedPaths(const QMimeData* data) {
    std::vector<std::string> paths;
    if (data == nullptr || !data->hasUrls()) return paths;
    for (const QUrl& url : data->urls()) {
        if (url.isLocalFile()) paths.push_back(url.toLocalFile().toStdString());
    }
    return paths;
}

QIcon Placeholder(const QColor& colour) {
    QPixmap pixmap(kThumbnailSide, kThumbnailSide);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setPen(colour);
    painter.drawRect(0, 0, kThumbnailSide - 1, kThumbnailSide - 1);
    if (colour == Qt::red) {
        painter.drawLine(0, 0, kThumbnailSide - 1, kThumbnailSide - 1);
        painter.drawLine(0, kThumbnailSide - 1, kThumbnailSide - 1, 0);
    }
    return QIcon(pixmap);
}

}  // namespace

TextureList::TextureList(QWidget* parent) : QListWidget(parent) {
    setAcceptDrops(true);
    setDropIndicatorShown(true);
    setIconSize(QSize(kThumbnailSide, kThumbnailSide));
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setWordWrap(true);
    setUniformItemSizes(false);
}

void TextureList::AddPaths(const QStringList& paths) {
    const std::size_t before = static_cast<std::size_t>(count());
    for (const QString& path : paths) {
        const std::string name = QFileInfo(path).absoluteFilePath().toStdString();
        if (QFileInfo(path).isDir()) {
            std::vector<std::string> pictures;
            try {
                pictures = cli::ExpandTextureFolders({name}, false, {});
            } catch (const std::exception&) {
                // A folder without pictures adds nothing.
            }
            for (const std::string& picture : pictures) Add(picture);
        } else {
            Add(name);
        }
    }
    if (static_cast<std::size_t>(count()) != before) emit TexturesChanged();
}

void TextureList::SetTextures(const std::vector<std::string>& textures) {
    clear();
    mInfo.clear();
    for (const std::string& texture : textures) Add(texture);
    if (count() > 0) setCurrentRow(0);
}

std::vector<std::string> TextureList::Textures() const {
    std::vector<std::string> textures;
    for (int row = 0; row < count(); ++row) {
        textures.push_back(item(row)->data(kPathRole).toString().toStdString());
    }
    return textures;
}

void TextureList::RemoveSelected() {
    const QList<QListWidgetItem*> selected = selectedItems();
    if (selected.isEmpty()) return;
    for (QListWidgetItem* chosen : selected) {
        mInfo.erase(chosen->data(kPathRole).toString().toStdString());
        delete chosen;
    }
    emit TexturesChanged();
}

std::string TextureList::CurrentTexture() const {
    const QListWidgetItem* current = currentItem();
    if (current == nullptr) return {};
    const std::string path = current->data(kPathRole).toString().toStdString();
    // A folder or a pattern shows its first picture.
    const auto found = mInfo.find(path);
    return found == mInfo.end() || found->second.first.empty() ? path : found->second.first;
}

TextureInfo TextureList::Info(const std::string& path) const {
    const auto found = mInfo.find(path);
    return found == mInfo.end() ? TextureInfo{} : found->second;
}

QListWidgetItem* TextureList::ItemOf(const std::string& path) const {
    for (int row = 0; row < count(); ++row) {
        if (item(row)->data(kPathRole).toString().toStdString() == path) return item(row);
    }
    return nullptr;
}

void TextureList::Add(const std::string& path) {
    if (ItemOf(path) != nullptr) return;
    const QString name = QString::fromStdString(path);
    auto* entry = new QListWidgetItem(Placeholder(Qt::gray),
                                      QFileInfo(name).fileName() + "\n" + tr("Reading…"), this);
    entry->setData(kPathRole, name);
    entry->setToolTip(name);
    ++mReading;
    auto* watcher = new QFutureWatcher<TextureInfo>(this);
    connect(watcher, &QFutureWatcher<TextureInfo>::finished, this, [this, watcher] {
        --mReading;
        const TextureInfo info = watcher->result();
        watcher->deleteLater();
        // Removed from the list while it was read: nothing to show.
        if (ItemOf(info.path) == nullptr) return;
        mInfo[info.path] = info;
        Show(info);
        emit TextureRead(QString::fromStdString(info.path));
    });
    watcher->setFuture(QtConcurrent::run([path] { return InspectTexture(path); }));
    if (currentItem() == nullptr) setCurrentItem(entry);
}

void TextureList::Show(const TextureInfo& info) {
    QListWidgetItem* entry = ItemOf(info.path);
    const QString path = QString::fromStdString(info.path);
    const QString name = QFileInfo(path).fileName();
    if (info.readable) {
        entry->setIcon(info.thumbnail.isNull() ? Placeholder(Qt::gray)
                                               : QIcon(QPixmap::fromImage(info.thumbnail)));
        const QString size = tr("%1 × %2, %3").arg(info.width).arg(info.height).arg(info.format);
        entry->setText(
            name + "\n" +
            (info.several ? tr("pictures: %1, the first %2").arg(info.pictures).arg(size) : size));
        entry->setToolTip(path);
        entry->setForeground(palette().text());
    } else {
        entry->setIcon(Placeholder(Qt::red));
        entry->setText(name + "\n" + info.failure);
        entry->setToolTip(path + "\n" + info.failure);
        entry->setForeground(Qt::red);
    }
}

void TextureList::dragEnterEvent(QDragEnterEvent* event) {
    if (!DroppedPaths(event->mimeData()).empty()) event->acceptProposedAction();
}

void TextureList::dragMoveEvent(QDragMoveEvent* event) {
    if (!DroppedPaths(event->mimeData()).empty()) event->acceptProposedAction();
}

void TextureList::dropEvent(QDropEvent* event) {
    QStringList paths;
    for (const std::string& path : DroppedPaths(event->mimeData())) {
        paths << QString::fromStdString(path);
    }
    if (paths.isEmpty()) return;
    event->acceptProposedAction();
    AddPaths(paths);
}

void TextureList::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Delete || event->key() == Qt::Key_Backspace) {
        RemoveSelected();
        return;
    }
    QListWidget::keyPressEvent(event);
}

}  // namespace mosaren::studio
