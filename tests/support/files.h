#pragma once

// Files and folders for tests.

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace mosaren::testing {

std::vector<std::uint8_t> FileBytes(const std::filesystem::path& path);
void WriteBytes(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes);

// The public BMP test suite: where the environment variable MOSAREN_CORPUS_DIR says, else where
// the build found it. Tests that need it skip when the folder is not there, and fail under CI. and fail under CI.
std::filesystem::path CorpusFolder();
// The tests' sources, under which the malformed-file cases lie (raster/data).
std::filesystem::path TestsFolder();

// The names in a folder, sorted: what a failed write must not leave behind shows here.
std::vector<std::string> FolderNames(const std::filesystem::path& folder);

// A folder of its own for one test under the system's temporary folder, removed with everything
// in it afterwards.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& Path() const { return mPath; }
    // The path of name in the folder, as the program is given file names.
    std::string operator/(const std::string& name) const { return (mPath / name).string(); }
    std::vector<std::string> Names() const { return FolderNames(mPath); }

private:
    std::filesystem::path mPath;
};

}  // namespace mosaren::testing
