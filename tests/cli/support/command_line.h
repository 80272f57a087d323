#pragma once

// A folder of its own in which a test runs the real mosaren-cli, with textures written into it
// and the tiles read back.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "cli/support/run_cli.h"
#include "support/bmp_builder.h"
#include "support/bmp_picture.h"
#include "support/files.h"
#include "support/png_picture.h"

namespace mosaren::testing {

using Args = std::vector<std::string>;
using Names = std::vector<std::string>;

inline constexpr TColor kMask = Rgb(255, 0, 255);

class CommandLine : public ::testing::Test {
protected:
    CliRun Run(const Args& arguments, ErrorOutput errorOutput = ErrorOutput::File) {
        return RunCli(arguments, mFolder.Path().string(), errorOutput);
    }
    void RunOk(const Args& arguments) {
        const CliRun run = Run(arguments);
        ASSERT_EQ(run.exitCode, 0) << run.err;
    }
    std::string Text(const std::string& name) const {
        const std::vector<std::uint8_t> bytes = FileBytes(mFolder.Path() / name);
        return {bytes.begin(), bytes.end()};
    }
    PngPicture Png(const std::string& name) const { return ReadPngFile(mFolder.Path() / name); }
    bool Exists(const std::string& name) const {
        return std::filesystem::is_regular_file(mFolder.Path() / name);
    }
    BmpPicture Tile(const std::string& name) const { return ReadBmpPicture(mFolder.Path() / name); }
    void Texture(const std::string& name, TColor colour, int side = 16) {
        WriteSolidTexture(mFolder / name, side, side, colour);
    }
    void Junk(const std::string& name) {
        WriteBytes(mFolder / name, std::vector<std::uint8_t>(100, 'x'));
    }

    TempFolder mFolder;
};

}  // namespace mosaren::testing
