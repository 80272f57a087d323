#pragma once

// Tiled itself as the consumer of what mosaren-cli writes (Debian's tiled, which tools/setup
// installs): maps for its tmxrasterizer, tilesets read back by its export, and the programs run
// offscreen in a folder.

#include <gtest/gtest.h>

#include <QByteArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "support/files.h"

namespace mosaren::testing {

inline bool HaveProgram(const char* name) {
    return std::system(("command -v " + std::string(name) + " >/dev/null 2>&1").c_str()) == 0;
}

// Runs command in folder with Qt's offscreen platform, its output to log; whether it exited 0.
// (Tiled exits 0 even when it stops early, so what it wrote is what tells.)
inline bool RunOffscreen(const std::filesystem::path& folder, const std::string& command,
                         const std::string& log) {
    const std::string line = "cd '" + folder.string() + "' && QT_QPA_PLATFORM=offscreen " +
                             command + " >" + log + " 2>&1";
    return std::system(line.c_str()) == 0;
}

// An isometric TMX map of width × height cells of tileWidth × tileHeight, its one layer showing
// gids (row by row, 0 for an empty cell) from the tileset file, moved down by offsetY.
inline std::string IsometricTmx(const std::string& tileset, int width, int height, int tileWidth,
                                int tileHeight, const std::vector<int>& gids, int offsetY = 0) {
    std::string data;
    for (std::size_t k = 0; k < gids.size(); ++k) {
        const bool rowEnds = (k + 1) % static_cast<std::size_t>(width) == 0;
        data += std::to_string(gids[k]) + (k + 1 == gids.size() ? "\n" : rowEnds ? ",\n" : ",");
    }
    const std::string w = std::to_string(width);
    const std::string h = std::to_string(height);
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
           "<map version=\"1.10\" orientation=\"isometric\" renderorder=\"right-down\" width=\"" +
           w + "\" height=\"" + h + "\" tilewidth=\"" + std::to_string(tileWidth) +
           "\" tileheight=\"" + std::to_string(tileHeight) +
           "\" infinite=\"0\" nextlayerid=\"2\" nextobjectid=\"1\">\n"
           " <tileset firstgid=\"1\" source=\"" +
           tileset +
           "\"/>\n"
           " <layer id=\"1\" name=\"ground\" width=\"" +
           w + "\" height=\"" + h + "\" offsety=\"" + std::to_string(offsetY) +
           "\">\n"
           "  <data encoding=\"csv\">\n" +
           data +
           "</data>\n"
           " </layer>\n"
           "</map>\n";
}

// Tiled's own reading of the tileset, exported as JSON by Tiled itself.
inline QJsonObject TiledExport(const std::filesystem::path& folder, const std::string& tsx) {
    const bool ran =
        RunOffscreen(folder, "tiled --export-tileset json " + tsx + " tiled.json", "tiled.log");
    EXPECT_TRUE(ran) << "tiled failed, see tiled.log";
    const std::vector<std::uint8_t> bytes = FileBytes(folder / "tiled.json");
    return QJsonDocument::fromJson(QByteArray(reinterpret_cast<const char*>(bytes.data()),
                                              static_cast<qsizetype>(bytes.size())))
        .object();
}

}  // namespace mosaren::testing
