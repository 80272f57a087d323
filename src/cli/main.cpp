// mosaren-cli: the tile commands and the project build for scripts. One top-level handler turns
// every failure into a "mosaren-cli: message." line on stderr and the exit status: 0 all
// written, 1 a texture or tile failed, 2 a wrong command line or project file.

#include <QCoreApplication>
#include <cstdio>
#include <exception>
#include <string>
#include <vector>

#include "build_command.h"
#include "cli_options.h"
#include "console.h"
#include "interruption.h"
#include "output_collisions.h"
#include "raster/file_replacement.h"
#include "run_command.h"
#include "usage_error.h"

namespace {

constexpr int kExitUsage = 2;

int Run(const std::vector<std::string>& arguments) {
    using namespace mosaren::cli;
    CliRequest request;
    try {
        request = ParseCommandLine(arguments);
        if (request.kind == CliRequest::Kind::Run && request.options.command != CliCommand::Build) {
            CheckOutputCollisions(request.options);
        }
    } catch (const EUsageError& failure) {
        PrintFailure(failure.Message());
        std::fputs("Try 'mosaren-cli --help' for more information.\n", stderr);
        return kExitUsage;
    }
    if (request.kind != CliRequest::Kind::Run) {
        std::fputs(request.text.c_str(), stdout);
        return 0;
    }

    const CliOptions& options = request.options;
    if (options.command == CliCommand::Build) return RunBuildCommand(options);
    Console console(options.quiet);
    return RunCommand(options, console);
}

}  // namespace

int main(int argc, char** argv) {
    // First, before Qt or the batch start threads of their own.
    mosaren::cli::RemoveTemporaryFilesOnInterruption();
    // A script learns which file the disk did not take, and why.
    mosaren::NameWriteFailures(true);
    // Kept byte for byte before Qt sees them: file names need not be in any encoding.
    const std::vector<std::string> arguments(argv, argv + argc);
    // Qt sees only the program's name: it has no options of its own to take from the command
    // line, and the usage line names the program rather than the path it was started by.
    char programName[] = "mosaren-cli";
    char* qtArguments[] = {programName, nullptr};
    int qtArgumentCount = 1;
    QCoreApplication application(qtArgumentCount, qtArguments);
    QCoreApplication::setApplicationName(QStringLiteral("mosaren-cli"));
    QCoreApplication::setApplicationVersion(QStringLiteral(MOSAREN_VERSION));
    // Qt's picture readers tell stderr in their own words what they refuse ("libpng error: ...");
    // the program tells it once, in its own message, with the reader's reason.
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    return Run(arguments);
}
