#pragma once

// The command line's file dialog: every run is accepted with the files named on the command line,
// as though the user had picked exactly those.

#include <string>
#include <utility>
#include <vector>

#include "tiling/file_dialog.h"

namespace mosaren::cli {

class PresetFileDialog : public FileDialog {
public:
    explicit PresetFileDialog(std::vector<std::string> files) : mFiles(std::move(files)) {}

protected:
    Outcome Run(const std::string&, int filterIndex) override {
        return Outcome{true, mFiles, filterIndex};
    }

private:
    std::vector<std::string> mFiles;
};

}  // namespace mosaren::cli
