#include "cli_commands.h"

#include <new>

#include "console.h"
#include "preset_file_dialog.h"
#include "raster/bitmap.h"
#include "raster/exceptions.h"
#include "run_outputs.h"
#include "tiling/tiler.h"

namespace mosaren::cli {

namespace {

// The tiler of one run, with its tiles going to the run's outputs. The desktop program's two
// previews are here too: nobody looks at them, but the commands give them their copies all the
// same (which costs no pixels).
struct Run {
    explicit Run(const CliOptions& options)
        : outputs(options), tiler(options.settings, texturePreview, tilePreview) {
        tiler.SetTileOutput([this](TBitmap& tile, const std::string& bmpName) {
            outputs.Take(tile, bmpName);
        });
    }
    Run(const Run&) = delete;
    Run& operator=(const Run&) = delete;

    TBitmap texturePreview;
    TBitmap tilePreview;
    RunOutputs outputs;
    Tiler tiler;
};

// Runs work; a failure is reported with the name of the texture it concerns in front, since in a
// batch of hundreds the message alone ("Bitmap image is not valid.") would not say which.
template <typename TextureName, typename Work>
bool WorkOrReport(Console& console, TextureName textureName, Work work) {
    try {
        work();
        return true;
    } catch (const Exception& failure) {
        console.Failure(textureName() + ": " + failure.Message());
    } catch (const std::bad_alloc&) {
        console.Failure(textureName() + ": " + messages::kOutOfMemory);
    }
    return false;
}

}  // namespace

void RunTileCommand(const CliOptions& options) {
    Run run(options);
    PresetFileDialog openDialog({options.files.at(0)});
    PresetFileDialog saveDialog({options.files.at(1)});
    run.tiler.TileSingleTexture(openDialog, saveDialog);
    run.outputs.Finish();
}

bool RunBatchCommand(const CliOptions& options, Console& console) {
    Run run(options);
    Tiler& tiler = run.tiler;
    auto progress = [&](std::size_t k, std::size_t n, const std::string& texture,
                        const std::string& tile) {
        console.Progress(k, n, texture, run.outputs.Destination(tile));
    };
    const std::size_t count = options.files.size();
    if (!options.keepGoing) {
        // Exactly the desktop's batch: one dialog with every texture, stopped by the first
        // failure. Progress comes after each written tile, so the count of reports names the
        // texture that failed.
        PresetFileDialog allDialog(options.files);
        std::size_t written = 0;
        const bool allWritten =
            WorkOrReport(console, [&] { return options.files.at(written); }, [&] {
                tiler.TileBatch(allDialog, [&](std::size_t k, std::size_t n,
                                               const std::string& texture, const std::string& tile) {
                    written = k;
                    progress(k, n, texture, tile);
                });
            });
        // A stopped batch leaves the sheet, tileset and preview unwritten rather than partial.
        if (allWritten) run.outputs.Finish();
        return allWritten;
    }
    // One batch per texture, so that a failure ends only its own texture's batch.
    bool allWritten = true;
    for (std::size_t k = 0; k < count; ++k) {
        PresetFileDialog allDialog({options.files[k]});
        allWritten &= WorkOrReport(console, [&] { return options.files[k]; }, [&] {
            tiler.TileBatch(allDialog, [&](std::size_t, std::size_t, const std::string& texture,
                                           const std::string& tile) {
                progress(k + 1, count, texture, tile);
            });
        });
    }
    run.outputs.Finish();
    return allWritten;
}

}  // namespace mosaren::cli
