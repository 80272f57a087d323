// Replays files through the BMP reader, as the fuzzer would, without libFuzzer: every regular
// file under each folder named on the command line, in memory and from the file. A folder that
// does not exist is skipped (the shared corpus is not everywhere). Exits 1 when a file raises
// anything but the program's own failures, or takes longer than a reader ever should.

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "bmp_read_one.h"

namespace {

constexpr auto kSlowFile = std::chrono::seconds(10);

bool Replay(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    const auto start = std::chrono::steady_clock::now();
    try {
        mosaren::fuzz::ReadBmpAndDiscard(bytes);
        mosaren::TBitmap bitmap;
        try {
            mosaren::ReadBmpFile(bitmap, path.string());
        } catch (const mosaren::Exception&) {
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s: unexpected failure: %s\n", path.c_str(), e.what());
        return false;
    }
    if (std::chrono::steady_clock::now() - start > kSlowFile) {
        std::fprintf(stderr, "%s: took longer than %lld s\n", path.c_str(),
                     static_cast<long long>(kSlowFile.count()));
        return false;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    int files = 0;
    int failures = 0;
    for (int i = 1; i < argc; ++i) {
        const std::filesystem::path folder = argv[i];
        std::error_code error;
        if (!std::filesystem::is_directory(folder, error)) {
            std::printf("skipped %s: no such folder\n", folder.c_str());
            continue;
        }
        for (const auto& entry : std::filesystem::recursive_directory_iterator(folder)) {
            if (!entry.is_regular_file()) continue;
            ++files;
            if (!Replay(entry.path())) ++failures;
        }
    }
    std::printf("replayed %d files, %d failures\n", files, failures);
    return failures == 0 ? 0 : 1;
}
