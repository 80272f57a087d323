#include "godot_root.h"

#include <QCommandLineParser>

#include "export/output_settings.h"
#include "parser_options.h"
#include "usage_error.h"

namespace mosaren::cli {

void ReadGodotRoot(const QCommandLineParser& parser, const ParserOptions& options,
                   OutputSettings& output) {
    const bool tilesets = parser.isSet(options.Output(RunFileRole::GodotTileset)) ||
                          parser.isSet(options.Output(RunFileRole::Godot3Tileset));
    if (parser.isSet(options.godotRoot)) {
        if (!tilesets) throw EUsageError("--godot-root is for --godot and --godot3 only");
        output.godotRoot = FileName(parser, options.godotRoot);
    }
}

}  // namespace mosaren::cli
