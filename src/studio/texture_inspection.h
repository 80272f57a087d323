#pragma once

// What the texture list shows of a file: its size and format and a thumbnail, or why it cannot
// be read, in the words of the readers the command line uses (the import layer, the BMP reader).
// Takes as long as reading the picture: run it off the UI thread.

#include <QImage>
#include <QString>
#include <string>

namespace mosaren::studio {

struct TextureInfo {
    std::string path;
    // A project's entry may stand for several pictures: a folder, or a pattern (textures/*.png).
    // Then what is shown is of the first of them, and pictures says how many there are.
    bool several = false;
    int pictures = 1;
    std::string first;  // the picture shown: path itself, or the entry's first
    bool readable = false;
    QString failure;  // the reader's message when not readable
    int width = 0;
    int height = 0;
    QString format;    // "PNG", "BMP", ...
    QImage thumbnail;  // at most kThumbnailSide on a side; may be null for a readable file
};

inline constexpr int kThumbnailSide = 48;

// Never raises. A folder or a pattern that holds no picture is not readable.
TextureInfo InspectTexture(const std::string& path);

}  // namespace mosaren::studio
