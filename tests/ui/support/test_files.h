#pragma once

// Files the widget tests make: BMP textures of known pixels in a folder of their own.

#include <QTemporaryDir>
#include <cstdint>
#include <functional>
#include <string>

namespace mosaren::testing_ui {

// 0x00BBGGRR, as the raster core gives colours.
using PixelColour = std::function<std::uint32_t(int x, int y)>;

// A 24-bit bottom-up BMP file of width × height pixels.
void WriteTestBmp(const std::string& path, int width, int height, const PixelColour& colour);

// A folder removed at the end of the test.
class TestFolder {
public:
    TestFolder();
    std::string Path(const std::string& name) const;

private:
    QTemporaryDir mDir;
};

}  // namespace mosaren::testing_ui
