#include "block_options.h"

#include <QCommandLineParser>

#include "cli_options.h"
#include "option_values.h"
#include "parser_options.h"
#include "usage_error.h"

namespace mosaren::cli {

// A block rises at most as far as a tile may be high.
constexpr std::int32_t kHighestBlock = 255;

void ReadBlockOptions(const QCommandLineParser& parser, const ParserOptions& options,
                      CliOptions& result) {
    const bool blocks = parser.isSet(options.block);
    for (const QCommandLineOption* option :
         {&options.faces, &options.shade, &options.leftTexture, &options.rightTexture}) {
        if (parser.isSet(*option) && !blocks) {
            throw EUsageError(Spelling(*option) + " is for --block only");
        }
    }
    if (!blocks) return;

    BlockSettings& block = result.block;
    // The tile size is read before the block, so the cube is the cube of the run's tiles.
    block.height = Value(parser, options.block) == "cube"
                       ? CubeHeight(result.settings.TileWidth, result.settings.TileHeight)
                       : WholeNumber(parser, options.block, 1, kHighestBlock);
    if (parser.isSet(options.faces)) {
        const std::string text = Value(parser, options.faces);
        const auto faces = ParseFaces(text);
        if (!faces) {
            throw EUsageError("--faces '" + text +
                              "' is not a list of top, left and right, separated by commas");
        }
        for (std::size_t i = 0; i < kBlockFaceCount; ++i) block.faces[i].shown = (*faces)[i];
    }
    if (parser.isSet(options.shade)) {
        const std::string text = Value(parser, options.shade);
        const auto shades = ParseShades(text);
        if (!shades) {
            throw EUsageError("--shade '" + text +
                              "' is not TOP,LEFT,RIGHT with each factor from 0 to 1");
        }
        for (std::size_t i = 0; i < kBlockFaceCount; ++i) block.faces[i].shade = (*shades)[i];
    }
    if (parser.isSet(options.leftTexture)) {
        block.leftTexture = FileName(parser, options.leftTexture);
    }
    if (parser.isSet(options.rightTexture)) {
        block.rightTexture = FileName(parser, options.rightTexture);
    }
}

}  // namespace mosaren::cli
