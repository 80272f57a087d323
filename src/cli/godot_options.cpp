#include "godot_options.h"

#include <QCommandLineParser>
#include <filesystem>

#include "export/godot_project.h"
#include "export/output_settings.h"
#include "option_values.h"
#include "out_dir.h"
#include "parser_options.h"
#include "usage_error.h"

namespace mosaren::cli {

namespace {

// A tile set file's name: Godot takes a text resource by its .tres suffix.
std::string TilesetName(const QCommandLineParser& parser, const QCommandLineOption& option) {
    const std::string file = FileName(parser, option);
    if (!EndsWithNoCase(file, ".tres")) {
        throw EUsageError(Spelling(option) + " '" + file +
                          "' is not a .tres name: Godot reads a text resource by that suffix");
    }
    return file;
}

bool SameName(const std::string& a, const std::string& b) {
    return std::filesystem::path(a).lexically_normal() ==
           std::filesystem::path(b).lexically_normal();
}

}  // namespace

void ReadGodotOptions(const QCommandLineParser& parser, const ParserOptions& options,
                      const std::string& outDir, OutputSettings& output) {
    const bool tilesets = parser.isSet(options.godot) || parser.isSet(options.godot3);
    if (parser.isSet(options.godotRoot)) {
        if (!tilesets) throw EUsageError("--godot-root is for --godot and --godot3 only");
        output.godotRoot = FileName(parser, options.godotRoot);
    }
    for (const auto& [option, file] :
         {std::pair{&options.godot, &output.godot}, std::pair{&options.godot3, &output.godot3}}) {
        if (!parser.isSet(*option)) continue;
        const std::string spelling = Spelling(*option);
        *file = InOutDir(outDir, TilesetName(parser, *option));
        if (output.sheet.empty()) {
            throw EUsageError(spelling + " needs --sheet: the tile set is an atlas of the sheet");
        }
        // Godot has no colour key for a picture: a 24-bit BMP sheet would show the mask colour
        // around every diamond, and Godot takes a 32-bit one's fourth bytes, all 0, for alpha.
        if (output.format != ImageFormat::Png) {
            throw EUsageError(spelling + " needs a PNG sheet: Godot shows no BMP sheet with its " +
                              "mask colour transparent");
        }
        if (!EndsWithNoCase(output.sheet, ".png")) {
            throw EUsageError(spelling + " needs a sheet named .png: Godot imports a picture " +
                              "by its suffix");
        }
        const std::string project = GodotProjectFolder(*file, output.godotRoot);
        if (!GodotResourcePath(output.sheet, project)) {
            throw EUsageError("--sheet '" + output.sheet + "' lies outside the Godot project '" +
                              (project.empty() ? "." : project) + "' of " + spelling +
                              ", which names its files by res:// paths from there; say where "
                              "the project is with --godot-root");
        }
    }
    if (!output.godot.empty() && SameName(output.godot, output.godot3)) {
        throw EUsageError("--godot and --godot3 name the same file: each tile set needs its own");
    }
}

}  // namespace mosaren::cli
