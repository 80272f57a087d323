#pragma once

// The options that say in what form a run hands its tiles to a game engine: the image format,
// one sheet instead of separate files, a Tiled tileset and a map preview.

#include <QCommandLineOption>
#include <QList>
#include <cstdint>
#include <string>

#include "option_values.h"

class QCommandLineParser;

namespace mosaren::cli {

struct CliOptions;

struct OutputOptions {
    ImageFormat format = ImageFormat::Bmp;  // of the tile files, or of the sheet
    std::string sheet;                      // empty: every tile a file of its own
    std::int32_t columns = 0;               // 0: the most nearly square grid
    std::int32_t margin = 0;
    std::int32_t spacing = 0;
    std::int32_t extrude = 0;
    std::string tsx;         // empty: no tileset file
    std::string mapPreview;  // empty: no preview
};

// The options as the parser knows them, in the order --help lists them.
QList<QCommandLineOption> OutputParserOptions();

// Reads them into result.output once the command, the files and the tile options are in result.
// Raises EUsageError, naming the option, for a value out of range or options that do not go
// together.
void ReadOutputOptions(const QCommandLineParser& parser, CliOptions& result);

}  // namespace mosaren::cli
