#include "preview_render.h"

#include <QTemporaryDir>
#include <exception>

#include "cli/cli_commands.h"
#include "cli/cli_options.h"
#include "cli/console.h"
#include "cli/run_command.h"
#include "cli/transitions_command.h"

namespace mosaren::studio {

namespace {

std::vector<std::string> Arguments(const PreviewRequest& request, const std::string& folder) {
    std::vector<std::string> arguments{"mosaren-cli"};
    const std::string map = folder + "/map.png";
    if (request.kind == PreviewRequest::Kind::Tile) {
        arguments.insert(arguments.end(), {"tile", request.texture, folder + "/tile"});
    } else {
        arguments.insert(arguments.end(), {"transitions", request.terrainA, request.terrainB,
                                           folder + "/tile", "--sheet", folder + "/sheet.png"});
    }
    arguments.insert(arguments.end(), {"--format", "png", "--map-preview", map});
    for (const auto& [key, value] : request.keys) {
        if (value == "false") continue;
        arguments.push_back("--" + key);
        if (value != "true") arguments.push_back(value);
    }
    return arguments;
}

}  // namespace

PreviewResult RenderPreview(const PreviewRequest& request) {
    PreviewResult result;
    if (request.kind == PreviewRequest::Kind::None) return result;
    const QTemporaryDir folder;
    if (!folder.isValid()) {
        result.failure = folder.errorString();
        return result;
    }
    try {
        const cli::CliOptions options =
            cli::ParseCommandLine(Arguments(request, folder.path().toStdString())).options;
        if (options.command == cli::CliCommand::Tile) {
            cli::RunTileCommand(options);
        } else {
            cli::RunTransitionsCommand(options);
        }
        // The tile file or the sheet first, the map preview last.
        const std::vector<std::string> files = cli::RunOutputFiles(options);
        result.tiles = QImage(QString::fromStdString(files.front()));
        result.map = QImage(QString::fromStdString(files.back()));
    } catch (const std::exception&) {
        result.failure = QString::fromStdString(cli::FailureText(std::current_exception()));
    }
    return result;
}

}  // namespace mosaren::studio
