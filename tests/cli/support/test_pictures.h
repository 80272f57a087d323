#pragma once

// Pictures in the formats mosaren-cli reads besides BMP, written at test time by a third-party
// writer (Pillow, from Debian's python3-pil), each with its BMP twin: a 24-bit BMP file of the
// colours Pillow reads back from it. tests/cli/data/make_pictures.py lists them.

#include <filesystem>
#include <string>
#include <vector>

namespace mosaren::testing {

// Whether Debian's Python with Pillow is there; the tests that need it skip without it.
bool HavePillow();

// Runs a script of tests/cli/data with Debian's Python; raises std::runtime_error if it fails.
void RunPictureScript(const std::string& script, const std::vector<std::string>& arguments);

// The folder of the test pictures, made once for the test binary's run.
const std::filesystem::path& TestPictures();

}  // namespace mosaren::testing
