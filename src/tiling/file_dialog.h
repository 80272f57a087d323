#pragma once

// What the tile commands see of a file dialog: whether a run was accepted, the chosen file and,
// for a multi-selection dialog, the list of chosen files. The desktop program supplies Qt
// dialogs, the command line and the tests supply dialogs that answer by themselves.

#include <string>
#include <vector>

namespace mosaren {

class FileDialog {
public:
    virtual ~FileDialog() = default;

    // Shows the dialog and reports whether the user accepted. ChosenFiles is emptied first;
    // a run that is not accepted leaves FileName and FilterIndex as they were, so the next run
    // opens pre-filled with the last accepted name.
    bool RunFileDialog();

    const std::string& FileName() const { return mFileName; }
    const std::vector<std::string>& ChosenFiles() const { return mChosenFiles; }
    int FilterIndex() const { return mFilterIndex; }

protected:
    struct Outcome {
        bool accepted = false;
        // The chosen files in the dialog's order (one for a single selection).
        std::vector<std::string> files;
        int filterIndex = 1;
    };
    // Runs the dialog itself, pre-filled with the last accepted name and filter entry.
    virtual Outcome Run(const std::string& prefilledName, int filterIndex) = 0;

private:
    std::string mFileName;
    std::vector<std::string> mChosenFiles;
    int mFilterIndex = 1;
};

// Splits what a multi-selection dialog returns when it names a folder and then bare names:
// one entry alone is a full path; otherwise each further name that is not already absolute is
// put after the folder, with one "/" between them. Empty entries end the list.
std::vector<std::string> SplitSelection(const std::vector<std::string>& strings);

}  // namespace mosaren
