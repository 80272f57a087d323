#include "transition_options.h"

#include <QCommandLineParser>

#include "cli_options.h"
#include "option_values.h"
#include "parser_options.h"
#include "tiling/terrain_corners.h"
#include "usage_error.h"

namespace mosaren::cli {

void ReadTransitionOptions(const QCommandLineParser& parser, const ParserOptions& options,
                           CliOptions& result) {
    for (const QCommandLineOption* option : {&options.edge, &options.seed, &options.variants}) {
        if (parser.isSet(*option) && result.command != CliCommand::Transitions) {
            throw EUsageError(Spelling(*option) + " is for the transitions command only");
        }
    }
    TerrainBorder& border = result.border;
    if (parser.isSet(options.edge)) {
        const std::string text = Value(parser, options.edge);
        const auto edge = ParseEdge(text);
        if (!edge) throw EUsageError("--edge '" + text + "' is not straight, noise or dither");
        border.edge = *edge;
    }
    if (parser.isSet(options.variants)) {
        result.variants = WholeNumber(parser, options.variants, 1, kMostTransitionVariants);
    }
    if (parser.isSet(options.seed)) {
        // The maps draw their cells' variants from the seed too, whatever the border.
        if (border.edge == TerrainEdge::Straight && result.variants == 1) {
            throw EUsageError(
                "--seed is for --edge noise or dither: a straight border has no "
                "pattern to seed");
        }
        const std::string text = Value(parser, options.seed);
        const auto seed = ParseSeed(text);
        if (!seed) {
            throw EUsageError("--seed '" + text + "' is not a whole number from 0 to 4294967295");
        }
        border.seed = *seed;
    }
    if (parser.isSet(options.feather)) {
        if (result.command != CliCommand::Transitions) {
            throw EUsageError("--feather is for the transitions command only");
        }
        if (result.filter != TileFilter::Smooth) {
            throw EUsageError(
                "--feather is for --filter smooth: nearest transition tiles have a hard border");
        }
        const std::string text = Value(parser, options.feather);
        const auto feather = ParseFeather(text);
        if (!feather) throw EUsageError("--feather '" + text + "' is not a number from 0 to 64");
        result.feather = *feather;
    }
}

}  // namespace mosaren::cli
