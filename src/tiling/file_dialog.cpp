#include "file_dialog.h"

#include <utility>

namespace mosaren {

bool FileDialog::RunFileDialog() {
    // Emptied before the dialog shows, so that a cancelled or failed run leaves no list behind.
    mChosenFiles.clear();
    Outcome outcome = Run(mFileName, mFilterIndex);
    if (!outcome.accepted) {
        return false;
    }
    mChosenFiles = std::move(outcome.files);
    mFileName = mChosenFiles.empty() ? std::string{} : mChosenFiles.front();
    mFilterIndex = outcome.filterIndex;
    return true;
}

std::vector<std::string> SplitSelection(const std::vector<std::string>& strings) {
    std::vector<std::string> chosen;
    if (strings.empty() || strings.front().empty()) {
        return chosen;
    }
    const std::string& first = strings.front();
    if (strings.size() < 2 || strings[1].empty()) {
        // One file chosen: the dialog gave its full path alone.
        chosen.push_back(first);
        return chosen;
    }
    std::string folder = first;
    if (folder.back() != '/') {
        folder += '/';
    }
    for (std::size_t i = 1; i < strings.size() && !strings[i].empty(); ++i) {
        const std::string& name = strings[i];
        chosen.push_back(name.front() == '/' ? name : folder + name);
    }
    return chosen;
}

}  // namespace mosaren
