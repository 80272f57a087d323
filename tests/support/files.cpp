#include "files.h"

#include <stdlib.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <stdexcept>

// The tests' build says where these are; the benchmarks, which link this too, need neither.
#ifndef MOSAREN_CORPUS_DIR
#define MOSAREN_CORPUS_DIR ""
#endif
#ifndef MOSAREN_TESTS_DIR
#define MOSAREN_TESTS_DIR ""
#endif

namespace mosaren::testing {

std::vector<std::uint8_t> FileBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteBytes(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    if (!out) {
        throw std::runtime_error("cannot write test file " + path.string());
    }
}

std::filesystem::path CorpusFolder() {
    const char* folder = std::getenv("MOSAREN_CORPUS_DIR");
    return folder != nullptr && *folder != '\0' ? std::filesystem::path(folder)
                                                : std::filesystem::path(MOSAREN_CORPUS_DIR);
}

std::filesystem::path TestsFolder() { return MOSAREN_TESTS_DIR; }

std::vector<std::string> FolderNames(const std::filesystem::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

TempFolder::TempFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "mosaren-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) {
        throw std::runtime_error("cannot make a temporary folder");
    }
    mPath = pattern;
}

TempFolder::~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(mPath, ignored);
}

}  // namespace mosaren::testing
