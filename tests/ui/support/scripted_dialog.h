#pragma once

// A file dialog that answers by itself from a script, for driving the commands from the
// buttons without anyone at the keyboard.

#include <deque>
#include <string>
#include <vector>

#include "tiling/file_dialog.h"

namespace mosaren::testing_ui {

class ScriptedDialog : public FileDialog {
public:
    // The next run accepts these files; without a script entry a run is cancelled.
    void WillAccept(std::vector<std::string> files) { mScript.push_back(std::move(files)); }
    void WillCancel() { mScript.push_back({}); }

    int Runs() const { return mRuns; }
    const std::vector<std::string>& PrefilledNames() const { return mPrefilled; }

protected:
    Outcome Run(const std::string& prefilledName, int filterIndex) override {
        ++mRuns;
        mPrefilled.push_back(prefilledName);
        Outcome outcome;
        outcome.filterIndex = filterIndex;
        if (mScript.empty()) return outcome;
        outcome.files = std::move(mScript.front());
        mScript.pop_front();
        outcome.accepted = !outcome.files.empty();
        return outcome;
    }

private:
    std::deque<std::vector<std::string>> mScript;
    std::vector<std::string> mPrefilled;
    int mRuns = 0;
};

}  // namespace mosaren::testing_ui
