#pragma once

// The preview of what a project makes, by the command line's own commands: the selected
// texture's tile (or block) made as `mosaren-cli tile` makes it, or the transition tiles as
// `mosaren-cli transitions` does, each with its map preview, written as PNG files into a folder
// of its own and read back. So the Studio shows the very pixels the export writes, and draws
// nothing of its own.

#include <QImage>
#include <QString>
#include <string>

#include "cli/project_content.h"

namespace mosaren::studio {

struct PreviewRequest {
    enum class Kind { None, Tile, Transitions };
    Kind kind = Kind::None;
    std::string texture;   // Tile
    std::string terrainA;  // Transitions
    std::string terrainB;
    cli::ProjectKeys keys;  // the set's shaping keys (StudioProject::ShapingKeys)
};

struct PreviewResult {
    QImage tiles;  // the tile, or the sheet of transition tiles; null on failure
    QImage map;
    QString failure;  // the program's message, when the preview could not be made
};

// Makes the preview; never raises. Safe on any thread, one call at a time.
PreviewResult RenderPreview(const PreviewRequest& request);

}  // namespace mosaren::studio
