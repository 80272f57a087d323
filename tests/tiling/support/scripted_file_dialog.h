#pragma once

// A file dialog that answers from a script instead of a user: each run takes the next answer
// (accept these files, or cancel), and a run past the end of the script cancels. It records what
// each run was pre-filled with.

#include <deque>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "tiling/file_dialog.h"

namespace mosaren::testing {

class ScriptedFileDialog : public FileDialog {
public:
    ScriptedFileDialog& Accept(std::vector<std::string> files, int filterIndex = 1) {
        mScript.push_back(Answer{Kind::Accept, std::move(files), filterIndex});
        return *this;
    }
    ScriptedFileDialog& Cancel() {
        mScript.push_back(Answer{Kind::Cancel, {}, 0});
        return *this;
    }
    // The run fails inside the dialog, as a preview window that cannot be made would.
    ScriptedFileDialog& Fail() {
        mScript.push_back(Answer{Kind::Fail, {}, 0});
        return *this;
    }

    int Runs() const { return static_cast<int>(mPrefilledNames.size()); }
    const std::vector<std::string>& PrefilledNames() const { return mPrefilledNames; }
    const std::vector<int>& PrefilledFilters() const { return mPrefilledFilters; }

protected:
    Outcome Run(const std::string& prefilledName, int filterIndex) override {
        mPrefilledNames.push_back(prefilledName);
        mPrefilledFilters.push_back(filterIndex);
        if (mScript.empty()) {
            return Outcome{};
        }
        Answer answer = std::move(mScript.front());
        mScript.pop_front();
        switch (answer.kind) {
            case Kind::Accept:
                return Outcome{true, std::move(answer.files), answer.filterIndex};
            case Kind::Fail:
                throw std::runtime_error("the dialog failed");
            case Kind::Cancel:
                break;
        }
        return Outcome{};
    }

private:
    enum class Kind { Accept, Cancel, Fail };
    struct Answer {
        Kind kind;
        std::vector<std::string> files;
        int filterIndex;
    };
    std::deque<Answer> mScript;
    std::vector<std::string> mPrefilledNames;
    std::vector<int> mPrefilledFilters;
};

}  // namespace mosaren::testing
