#include "test_files.h"

#include <cstdio>
#include <stdexcept>
#include <vector>

namespace mosaren::testing_ui {

namespace {
void PutLe(std::vector<std::uint8_t>& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}
}  // namespace

void WriteTestBmp(const std::string& path, int width, int height, const PixelColour& colour) {
    const std::uint32_t stride = (static_cast<std::uint32_t>(width) * 3 + 3) & ~3u;
    const std::uint32_t pixelBytes = stride * static_cast<std::uint32_t>(height);
    std::vector<std::uint8_t> file;
    file.push_back('B');
    file.push_back('M');
    PutLe(file, 54 + pixelBytes, 4);
    PutLe(file, 0, 4);
    PutLe(file, 54, 4);
    PutLe(file, 40, 4);
    PutLe(file, static_cast<std::uint32_t>(width), 4);
    PutLe(file, static_cast<std::uint32_t>(height), 4);
    PutLe(file, 1, 2);
    PutLe(file, 24, 2);
    PutLe(file, 0, 4);
    PutLe(file, pixelBytes, 4);
    PutLe(file, 2835, 4);
    PutLe(file, 2835, 4);
    PutLe(file, 0, 4);
    PutLe(file, 0, 4);
    for (int row = height - 1; row >= 0; --row) {
        std::uint32_t written = 0;
        for (int x = 0; x < width; ++x, written += 3) {
            const std::uint32_t c = colour(x, row);
            file.push_back(static_cast<std::uint8_t>(c >> 16));  // blue
            file.push_back(static_cast<std::uint8_t>(c >> 8));   // green
            file.push_back(static_cast<std::uint8_t>(c));        // red
        }
        for (; written < stride; ++written) file.push_back(0);
    }
    std::FILE* out = std::fopen(path.c_str(), "wb");
    if (!out) throw std::runtime_error("cannot write " + path);
    std::fwrite(file.data(), 1, file.size(), out);
    std::fclose(out);
}

TestFolder::TestFolder() {
    if (!mDir.isValid()) throw std::runtime_error("no temporary folder");
}

std::string TestFolder::Path(const std::string& name) const {
    return mDir.filePath(QString::fromStdString(name)).toStdString();
}

}  // namespace mosaren::testing_ui
