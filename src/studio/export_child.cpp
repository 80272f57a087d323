#include "export_child.h"

#include <QCoreApplication>
#include <cstring>
#include <vector>

#include "cli/build_command.h"
#include "cli/cli_options.h"
#include "cli/console.h"
#include "cli/interruption.h"
#include "cli/usage_error.h"
#include "raster/file_replacement.h"

namespace mosaren::studio {

bool IsExportChild(int argc, char** argv) {
    return argc == 3 && std::strcmp(argv[1], kExportChildArgument) == 0;
}

int RunExportChild(int argc, char** argv) {
    cli::RemoveTemporaryFilesOnInterruption();
    NameWriteFailures(true);
    char* qtArguments[] = {argv[0], nullptr};
    int qtArgumentCount = 1;
    QCoreApplication application(qtArgumentCount, qtArguments);
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    (void)argc;
    try {
        const cli::CliRequest request = cli::ParseCommandLine({"mosaren-cli", "build", argv[2]});
        return cli::RunBuildCommand(request.options);
    } catch (const cli::EUsageError& failure) {
        cli::PrintFailure(failure.Message());
        return 2;
    }
}

}  // namespace mosaren::studio
