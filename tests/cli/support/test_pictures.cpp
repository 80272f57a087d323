#include "test_pictures.h"

#include <QColorSpace>
#include <QFile>
#include <cstdlib>
#include <memory>
#include <stdexcept>

#include "support/files.h"

namespace mosaren::testing {

namespace {

std::string Quoted(const std::string& text) {
    std::string quoted = "'";
    for (const char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

}  // namespace

bool HavePillow() {
    static const bool have =
        std::system(("test -x " MOSAREN_SYSTEM_PYTHON " && " MOSAREN_SYSTEM_PYTHON
                     " -c 'import PIL' 2>/dev/null")) == 0;
    return have;
}

void RunPictureScript(const std::string& script, const std::vector<std::string>& arguments) {
    std::string command = std::string(MOSAREN_SYSTEM_PYTHON) + " " +
                          Quoted(std::string(MOSAREN_TEST_DATA_DIR) + "/" + script);
    for (const std::string& argument : arguments) command += " " + Quoted(argument);
    if (std::system(command.c_str()) != 0) throw std::runtime_error("failed: " + command);
}

const std::filesystem::path& TestPictures() {
    static const std::unique_ptr<TempFolder> folder = [] {
        auto made = std::make_unique<TempFolder>();
        // A colour profile with the sRGB primaries and a linear transfer, so that a converted
        // colour differs from the colour stored.
        const std::string profile = *made / "linear.icc";
        QFile file(QString::fromStdString(profile));
        if (!file.open(QIODevice::WriteOnly) ||
            file.write(
                QColorSpace(QColorSpace::Primaries::SRgb, QColorSpace::TransferFunction::Linear)
                    .iccProfile()) <= 0) {
            throw std::runtime_error("cannot write " + profile);
        }
        file.close();
        RunPictureScript("make_pictures.py", {made->Path().string(), profile});
        return made;
    }();
    return folder->Path();
}

}  // namespace mosaren::testing
