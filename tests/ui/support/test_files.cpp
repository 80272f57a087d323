#include "test_files.h"

#include <stdexcept>

#include "support/bmp_builder.h"

namespace mosaren::testing_ui {

void WriteTestBmp(const std::string& path, int width, int height, const PixelColour& colour) {
    mosaren::testing::WriteTexture(path, width, height, colour);
}

TestFolder::TestFolder() {
    if (!mDir.isValid()) throw std::runtime_error("no temporary folder");
}

std::string TestFolder::Path(const std::string& name) const {
    return mDir.filePath(QString::fromStdString(name)).toStdString();
}

}  // namespace mosaren::testing_ui
