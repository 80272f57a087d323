#pragma once

// The project's textures as a list of thumbnails with their size and format, files and folders
// dropped on it or added, each read off the UI thread. A texture that cannot be read stays in the
// list, marked with the reader's message; the project's build reports it and makes the others.

#include <QListWidget>
#include <map>
#include <string>
#include <vector>

#include "texture_inspection.h"

namespace mosaren::studio {

class TextureList : public QListWidget {
    Q_OBJECT
public:
    explicit TextureList(QWidget* parent = nullptr);

    // Adds files, and the pictures of folders, that the list does not hold yet.
    void AddPaths(const QStringList& paths);
    void SetTextures(const std::vector<std::string>& textures);
    std::vector<std::string> Textures() const;
    void RemoveSelected();

    // The selected texture's file: for a folder or a pattern, its first picture.
    std::string CurrentTexture() const;
    // How many textures are still being read.
    int Reading() const { return mReading; }
    // What was read of a texture (readable false and no message while it is being read).
    TextureInfo Info(const std::string& path) const;

signals:
    // Textures were added or removed.
    void TexturesChanged();
    // A texture was read (its thumbnail or its failure is shown).
    void TextureRead(const QString& path);

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void Add(const std::string& path);
    void Show(const TextureInfo& info);
    QListWidgetItem* ItemOf(const std::string& path) const;

    int mReading = 0;
    std::map<std::string, TextureInfo> mInfo;
};

}  // namespace mosaren::studio
