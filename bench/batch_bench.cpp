// The batch command over generated textures, beside the I/O floor measured in the same run, and
// the process's memory after small and large batches.
//
// Textures: 200 of 512 × 512 and 200 of 64 × 64, 24 bits per pixel, in a fresh folder under
// $MOSAREN_BENCH_DIR (default: the system's temporary folder), removed at exit.
//
//   Batch/<side>         the batch command, as the desktop runs it (textures/s: items_per_second)
//   IoFloor/<side>       reading each texture file whole and writing a tile-sized file beside it
//   DurableFloor/<side>  the same, with the tile written as the program writes every tile: to a
//                        temporary file, flushed to the disk, renamed into place
//   CodecFloor/<side>    ReadBmpFile of each texture and WriteBmpFile of a ready 72 × 36 tile:
//                        the program's own reading and writing with no tile making between
//   PeakMemory           peak and current resident memory after batches of 10, 200 and 400
//   SingleTexture4096    the single-texture command on one 4096 × 4096 texture, whole and in
//                        4 × 4 pieces

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <sys/resource.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "raster/bitmap.h"
#include "raster/bmp_reader.h"
#include "raster/bmp_writer.h"
#include "support/bmp_builder.h"
#include "tiling/file_dialog.h"
#include "tiling/tile_names.h"
#include "tiling/tiler.h"

namespace {

using namespace mosaren;

constexpr int kTexturesPerSet = 200;

// Answers every run with the same files, as a user who picks them all at once.
class PresetDialog : public FileDialog {
public:
    explicit PresetDialog(std::vector<std::string> files) : mFiles(std::move(files)) {}

protected:
    Outcome Run(const std::string&, int filterIndex) override { return {true, mFiles, filterIndex}; }

private:
    std::vector<std::string> mFiles;
};

// A 24-bit texture whose content differs from file to file, so no two reads are alike.
void WriteTexture(const std::string& path, int side, int seed) {
    testing::WriteTexture(path, side, side, [seed](int x, int y) {
        return Rgb(static_cast<std::uint8_t>((x ^ y) + seed * 7),
                   static_cast<std::uint8_t>(y * 3 + seed), static_cast<std::uint8_t>(x + seed));
    });
}

// The generated textures, made on first use and removed at exit.
class TextureSets {
public:
    static TextureSets& Get() {
        static TextureSets sets;
        return sets;
    }
    const std::vector<std::string>& Of(int side) const { return side == 512 ? mLarge : mSmall; }
    const std::string& Folder() const { return mFolder; }

private:
    TextureSets() {
        const char* base = std::getenv("MOSAREN_BENCH_DIR");
        std::string pattern =
            ((base ? std::filesystem::path(base) : std::filesystem::temp_directory_path()) /
             "mosaren-bench-XXXXXX")
                .string();
        if (::mkdtemp(pattern.data()) == nullptr) std::abort();
        mFolder = pattern;
        for (int i = 0; i < kTexturesPerSet; ++i) {
            mLarge.push_back(mFolder + "/large" + std::to_string(i) + ".bmp");
            WriteTexture(mLarge.back(), 512, i);
            mSmall.push_back(mFolder + "/small" + std::to_string(i) + ".bmp");
            WriteTexture(mSmall.back(), 64, i);
        }
    }
    ~TextureSets() {
        std::error_code ignored;
        std::filesystem::remove_all(mFolder, ignored);
    }

    std::string mFolder;
    std::vector<std::string> mLarge;
    std::vector<std::string> mSmall;
};

void RunBatch(const std::vector<std::string>& textures) {
    TTileSettings settings;
    TBitmap texturePreview;
    TBitmap tilePreview;
    Tiler tiler(settings, texturePreview, tilePreview);
    PresetDialog dialog(textures);
    tiler.TileBatch(dialog);
}

void BM_Batch(benchmark::State& state) {
    const auto& textures = TextureSets::Get().Of(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        RunBatch(textures);
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(textures.size()));
}

std::vector<char> ReadWhole(const std::string& path) {
    std::vector<char> bytes(std::filesystem::file_size(path));
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr || std::fread(bytes.data(), 1, bytes.size(), file) != bytes.size()) {
        std::abort();
    }
    std::fclose(file);
    return bytes;
}

// A 72 × 36 tile at 32 bits per pixel: 54 bytes of headers and 36 rows of 288 bytes.
const std::vector<char>& TileSizedBytes() {
    static const std::vector<char> bytes(54 + 36 * 288, 7);
    return bytes;
}

void WritePlain(const std::string& path) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    const auto& bytes = TileSizedBytes();
    if (file == nullptr || std::fwrite(bytes.data(), 1, bytes.size(), file) != bytes.size()) {
        std::abort();
    }
    std::fclose(file);
}

void WriteDurable(const std::string& path, const std::string& folder) {
    const std::string temporary = path + ".part";
    const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    const auto& bytes = TileSizedBytes();
    if (fd < 0 || ::write(fd, bytes.data(), bytes.size()) != static_cast<ssize_t>(bytes.size()) ||
        ::fsync(fd) != 0 || ::close(fd) != 0 || std::rename(temporary.c_str(), path.c_str()) != 0) {
        std::abort();
    }
    const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    ::fsync(dir);
    ::close(dir);
}

void BM_IoFloor(benchmark::State& state) {
    const auto& textures = TextureSets::Get().Of(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        for (const std::string& texture : textures) {
            benchmark::DoNotOptimize(ReadWhole(texture).data());
            WritePlain(BatchTileName(texture));
        }
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(textures.size()));
}

void BM_DurableFloor(benchmark::State& state) {
    const auto& textures = TextureSets::Get().Of(static_cast<int>(state.range(0)));
    const std::string& folder = TextureSets::Get().Folder();
    for (auto _ : state) {
        for (const std::string& texture : textures) {
            benchmark::DoNotOptimize(ReadWhole(texture).data());
            WriteDurable(BatchTileName(texture), folder);
        }
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(textures.size()));
}

void BM_CodecFloor(benchmark::State& state) {
    const auto& textures = TextureSets::Get().Of(static_cast<int>(state.range(0)));
    TBitmap tile;
    tile.SetImageHeight(36);
    tile.SetImageWidth(72);
    for (auto _ : state) {
        for (const std::string& texture : textures) {
            TBitmap source;
            ReadBmpFile(source, texture);
            WriteBmpFile(tile, BatchTileName(texture));
        }
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(textures.size()));
}

double PeakResidentMiB() {
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;  // KiB on Linux
}

double CurrentResidentMiB() {
    long pages = 0;
    long resident = 0;
    std::ifstream("/proc/self/statm") >> pages >> resident;
    return static_cast<double>(resident) * static_cast<double>(::sysconf(_SC_PAGESIZE)) /
           (1024.0 * 1024.0);
}

// Runs first, before the timed batches, so that the peak it reports is the batches' own.
void BM_PeakMemory(benchmark::State& state) {
    const TextureSets& sets = TextureSets::Get();
    std::vector<std::string> ten(sets.Of(512).begin(), sets.Of(512).begin() + 10);
    std::vector<std::string> all = sets.Of(512);
    all.insert(all.end(), sets.Of(64).begin(), sets.Of(64).end());
    for (auto _ : state) {
        RunBatch(ten);
        state.counters["peak_MiB_after_10"] = PeakResidentMiB();
        state.counters["now_MiB_after_10"] = CurrentResidentMiB();
        RunBatch(sets.Of(512));
        state.counters["peak_MiB_after_200"] = PeakResidentMiB();
        state.counters["now_MiB_after_200"] = CurrentResidentMiB();
        RunBatch(all);
        state.counters["peak_MiB_after_400"] = PeakResidentMiB();
        state.counters["now_MiB_after_400"] = CurrentResidentMiB();
    }
}

void BM_SingleTexture4096(benchmark::State& state) {
    const std::string texture = TextureSets::Get().Folder() + "/huge.bmp";
    if (!std::filesystem::exists(texture)) WriteTexture(texture, 4096, 1);
    TTileSettings settings;
    settings.PiecesAcross = static_cast<std::int32_t>(state.range(0));
    settings.PiecesDown = static_cast<std::int32_t>(state.range(0));
    TBitmap texturePreview;
    TBitmap tilePreview;
    Tiler tiler(settings, texturePreview, tilePreview);
    for (auto _ : state) {
        PresetDialog open({texture});
        PresetDialog save({TextureSets::Get().Folder() + "/huge-tile"});
        tiler.TileSingleTexture(open, save);
    }
}

BENCHMARK(BM_PeakMemory)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Batch)->Arg(512)->Arg(64)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_IoFloor)->Arg(512)->Arg(64)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_DurableFloor)->Arg(512)->Arg(64)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_CodecFloor)->Arg(512)->Arg(64)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_SingleTexture4096)->Arg(1)->Arg(4)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
