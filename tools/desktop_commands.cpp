// The desktop program's two tile commands without a window, for comparing two builds: the
// program's own Tiler with its settings and two previews, and file dialogs that answer with the
// files named here, as a user who picks exactly those. tools/compare_outputs.sh builds it against
// each build's core libraries; it uses only what every build offers.
//
//   desktop_commands DEPTH R,G,B WxH NxM tile TEXTURE SAVE_NAME
//   desktop_commands DEPTH R,G,B WxH NxM batch TEXTURE...
//
// A failure prints its message and exits 1, as the error box would show it and the command stop.

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <string>
#include <vector>

#include "raster/bitmap.h"
#include "tiling/file_dialog.h"
#include "tiling/tiler.h"

#if __has_include("raster/display_depth.h")
#include "raster/display_depth.h"
static void UseDisplayDepth(int bits) { mosaren::SetDisplayDepth(bits); }
#else
#include "raster/graphics/graphics.h"
static void UseDisplayDepth(int bits) { mosaren::gdi::SetDisplayDepth(bits); }
#endif

namespace {

class AnsweringDialog : public mosaren::FileDialog {
public:
    explicit AnsweringDialog(std::vector<std::string> files) : mFiles(std::move(files)) {}

protected:
    Outcome Run(const std::string&, int filterIndex) override {
        return Outcome{true, mFiles, filterIndex};
    }

private:
    std::vector<std::string> mFiles;
};

int Usage() {
    std::fputs(
        "usage: desktop_commands DEPTH R,G,B WxH NxM tile TEXTURE SAVE_NAME | batch TEXTURE...\n",
        stderr);
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 7) return Usage();
    mosaren::TTileSettings settings;
    int r = 0, g = 0, b = 0, w = 0, h = 0, across = 0, down = 0;
    if (std::sscanf(argv[2], "%d,%d,%d", &r, &g, &b) != 3 ||
        std::sscanf(argv[3], "%dx%d", &w, &h) != 2 ||
        std::sscanf(argv[4], "%dx%d", &across, &down) != 2) {
        return Usage();
    }
    settings.MaskR = static_cast<std::uint8_t>(r);
    settings.MaskG = static_cast<std::uint8_t>(g);
    settings.MaskB = static_cast<std::uint8_t>(b);
    settings.TileWidth = static_cast<std::uint8_t>(w);
    settings.TileHeight = static_cast<std::uint8_t>(h);
    settings.PiecesAcross = across;
    settings.PiecesDown = down;
    UseDisplayDepth(std::atoi(argv[1]));

    const std::string command = argv[5];
    const std::vector<std::string> files(argv + 6, argv + argc);
    mosaren::TBitmap texturePreview;
    mosaren::TBitmap tilePreview;
    mosaren::Tiler tiler(settings, texturePreview, tilePreview);
    try {
        if (command == "tile" && files.size() == 2) {
            AnsweringDialog open({files[0]});
            AnsweringDialog save({files[1]});
            tiler.TileSingleTexture(open, save);
        } else if (command == "batch") {
            AnsweringDialog all(files);
            tiler.TileBatch(all);
        } else {
            return Usage();
        }
    } catch (const std::exception& failure) {
        std::printf("%s\n", failure.what());
        return 1;
    }
    return 0;
}
