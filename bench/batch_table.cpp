// The batch's speed beside the speed of the disk, as a table: for each kind of texture, the real
// mosaren-cli batch with one job and with all cores, and the floor (read each texture whole and
// write a tile-sized file beside it, nothing else), in textures per second, with the ratios; then
// the batch's peak memory after 10 and after 1000 textures, with and without the sheet and the
// map preview; then the same textures saved as PNG files (by Pillow) beside their BMP files, which
// shows what decoding PNG costs; then PNG and JPEG sets against a Pillow script doing the same
// work in one process and against decoding alone with the batch's own libraries (libpng,
// libjpeg-turbo), the floor of a batch of them. The BMP and PNG sets show smooth tiles (--filter
// smooth, one job) beside nearest ones, and so do the PNG and JPEG sets, beside ImageMagick's
// smooth turn too. Everything runs in one go on the same textures and disk, each figure the
// median of three runs, so that the ratios hold even on a busy machine.
//
//   build-bench/bench/batch_table [RUNS [SCALE [blocks|pictures|smooth]]]
//
// It begins with blocks and transition tiles (`batch --block`, `transitions`) at one job and all
// cores; "blocks" stops after that table, "pictures" makes only the PNG and JPEG tables (and the
// peak memory of 8000² PNG textures), "smooth" only the BMP sets and their PNG copies with smooth
// tiles beside nearest ones.
//
// SCALE multiplies the number of textures of each kind: a few dozen files take about as long as
// starting the program and making the first group's temporary files, so a larger set shows what
// each texture costs once those are paid.
//
// The textures go to a fresh folder under $MOSAREN_BENCH_DIR (default: the temporary folder),
// removed at the end.

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include <png.h>
// jpeglib.h needs FILE and size_t declared first.
#include <cstddef>
#include <jpeglib.h>

#include "support/files.h"
#include "support/texture_files.h"
#include "tiling/tile_names.h"

namespace {

using namespace mosaren;
using namespace mosaren::testing;
namespace fs = std::filesystem;

struct Kind {
    std::string name;
    std::vector<std::string> textures;
};

// What the floor writes for each texture: a file the size of a 72 × 36 tile at 32 bits.
const std::vector<char>& TileSizedBytes() {
    static const std::vector<char> bytes(54 + 36 * 288, 7);
    return bytes;
}

void ReadWholeAndWriteTileSized(const std::string& texture) {
    std::ifstream in(texture, std::ios::binary);
    std::vector<char> bytes(fs::file_size(texture));
    in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    std::ofstream out(BatchTileName(texture), std::ios::binary | std::ios::trunc);
    out.write(TileSizedBytes().data(), static_cast<std::streamsize>(TileSizedBytes().size()));
}

// Decoding alone, with the library the batch reads the format with, as it reads it: every row to
// 8-bit BGRA, nothing else.
void DecodePng(const std::string& texture) {
    std::FILE* file = std::fopen(texture.c_str(), "rb");
    if (!file) std::abort();
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png))) std::abort();
    png_init_io(png, file);
    png_read_info(png, info);
    png_set_expand(png);
    png_set_scale_16(png);
    png_set_gray_to_rgb(png);
    png_set_bgr(png);
    png_set_filler(png, 0xFF, PNG_FILLER_AFTER);
    const int passes = png_set_interlace_handling(png);
    png_read_update_info(png, info);
    std::vector<png_byte> row(png_get_rowbytes(png, info));
    const png_uint_32 height = png_get_image_height(png, info);
    for (int pass = 0; pass < passes; ++pass) {
        for (png_uint_32 y = 0; y < height; ++y) png_read_row(png, row.data(), nullptr);
    }
    png_destroy_read_struct(&png, &info, nullptr);
    std::fclose(file);
}

void DecodeJpeg(const std::string& texture) {
    std::FILE* file = std::fopen(texture.c_str(), "rb");
    if (!file) std::abort();
    jpeg_decompress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors);
    jpeg_create_decompress(&info);
    jpeg_stdio_src(&info, file);
    jpeg_read_header(&info, TRUE);
    info.out_color_space = JCS_EXT_BGRA;
    jpeg_start_decompress(&info);
    std::vector<JSAMPLE> row(static_cast<std::size_t>(info.output_width) * 4);
    JSAMPROW rows[1] = {row.data()};
    while (info.output_scanline < info.output_height) jpeg_read_scanlines(&info, rows, 1);
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    std::fclose(file);
}

void DecodeAlone(const std::string& texture) {
    if (texture.ends_with(".png")) {
        DecodePng(texture);
    } else {
        DecodeJpeg(texture);
    }
}

struct ChildRun {
    double seconds = 0;
    double peakMiB = 0;
    int status = -1;
};

// The real binary, as a script runs it; its wall time and its own peak resident memory.
ChildRun RunCli(const std::vector<std::string>& arguments) {
    std::vector<std::string> argv{MOSAREN_CLI_PATH};
    argv.insert(argv.end(), arguments.begin(), arguments.end());
    std::vector<char*> pointers;
    for (std::string& a : argv) pointers.push_back(a.data());
    pointers.push_back(nullptr);
    const auto start = std::chrono::steady_clock::now();
    const pid_t child = ::fork();
    if (child == 0) {
        ::execv(pointers[0], pointers.data());
        ::_exit(127);
    }
    int status = 0;
    rusage usage{};
    ::wait4(child, &status, 0, &usage);
    ChildRun run;
    run.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    run.peakMiB = static_cast<double>(usage.ru_maxrss) / 1024.0;
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

std::vector<std::string> Batch(const std::vector<std::string>& textures, const std::string& jobs,
                               const std::string& filter = "nearest") {
    std::vector<std::string> arguments{"batch", "-q", "--jobs", jobs, "--filter", filter};
    arguments.insert(arguments.end(), textures.begin(), textures.end());
    return arguments;
}

class Bench {
public:
    explicit Bench(int runs) : mRuns(runs) {
        const char* base = std::getenv("MOSAREN_BENCH_DIR");
        std::string pattern =
            ((base ? fs::path(base) : fs::temp_directory_path()) / "mosaren-table-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr) std::abort();
        mFolder = pattern;
    }
    ~Bench() {
        std::error_code ignored;
        fs::remove_all(mFolder, ignored);
    }

    Kind Make(const std::string& name, TextureForm form, int count, std::int32_t width,
              std::int32_t height) {
        Kind kind{name, {}};
        for (int i = 0; i < count; ++i) kind.textures.push_back(Write(name, form, width, height));
        return kind;
    }

    // Textures of odd sizes and every form.
    // The same textures saved as PNG files, as Pillow saves them by default.
    static Kind AsPng(const Kind& bmp) {
        Kind png{bmp.name + " PNG", {}};
        // A few hundred at a time: the shell takes its command as one argument, which the
        // system caps at 128 KiB.
        constexpr std::size_t kAtOnce = 200;
        for (std::size_t first = 0; first < bmp.textures.size(); first += kAtOnce) {
            std::string command = MOSAREN_TO_PNG;
            for (std::size_t i = first; i < std::min(first + kAtOnce, bmp.textures.size()); ++i) {
                png.textures.push_back(bmp.textures[i].substr(0, bmp.textures[i].size() - 4) + ".png");
                command += " " + bmp.textures[i] + " " + png.textures.back();
            }
            if (std::system(command.c_str()) != 0) std::abort();
        }
        return png;
    }

    // The same textures in another picture form (picture_set.py's FORM), named with suffix.
    static Kind AsForm(const Kind& bmp, const std::string& form, const std::string& name,
                       const std::string& suffix) {
        Kind out{name, {}};
        constexpr std::size_t kAtOnce = 200;
        for (std::size_t first = 0; first < bmp.textures.size(); first += kAtOnce) {
            std::string command = std::string(MOSAREN_PICTURE_SET) + " " + form;
            for (std::size_t i = first; i < std::min(first + kAtOnce, bmp.textures.size()); ++i) {
                out.textures.push_back(bmp.textures[i].substr(0, bmp.textures[i].size() - 4) + "-" +
                                       form + suffix);
                command += " " + bmp.textures[i] + " " + out.textures.back();
            }
            if (std::system(command.c_str()) != 0) std::abort();
        }
        return out;
    }

    // PNG and JPEG sets: the batch with one job and all cores, a Pillow script doing the same
    // work in one process, and decoding alone (the floor), in textures per second; then smooth tiles
    // beside them and beside ImageMagick's smooth turn.
    void PictureSpeed(const std::vector<Kind>& kinds) {
        const std::string cores = std::to_string(std::thread::hardware_concurrency());
        std::printf("| textures/s | %s |\n|---|", Names(kinds).c_str());
        for (std::size_t i = 0; i < kinds.size(); ++i) std::printf("---|");
        std::printf("\n");
        std::vector<double> floor, one, all, pillow, smooth, magick;
        for (const Kind& kind : kinds) {
            std::vector<double> f, o, a, p, s, m;
            for (int run = 0; run < mRuns; ++run) {
                const auto start = std::chrono::steady_clock::now();
                for (const std::string& texture : kind.textures) DecodeAlone(texture);
                f.push_back(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
                o.push_back(RunCli(Batch(kind.textures, "1")).seconds);
                a.push_back(RunCli(Batch(kind.textures, cores)).seconds);
                p.push_back(RunPillow(kind.textures));
                s.push_back(RunCli(Batch(kind.textures, "1", "smooth")).seconds);
                m.push_back(RunMagick(kind.textures));
            }
            const double n = static_cast<double>(kind.textures.size());
            floor.push_back(n / Median(f));
            one.push_back(n / Median(o));
            all.push_back(n / Median(a));
            pillow.push_back(n / Median(p));
            smooth.push_back(n / Median(s));
            magick.push_back(n / Median(m));
        }
        Row("decoding alone, same library (floor)", floor);
        Row("Pillow script, one process", pillow);
        Row("`batch --jobs 1`", one);
        Row("`batch --jobs " + cores + "` (all cores)", all);
        Ratio("--jobs 1 / Pillow", one, pillow);
        Ratio("--jobs 1 / floor", one, floor);
        Ratio("all cores / --jobs 1", all, one);
        Row("`batch --filter smooth --jobs 1`", smooth);
        Row("ImageMagick `+distort SRT 45 -resize 72x36!`, once per texture", magick);
        Ratio("smooth / nearest, --jobs 1", smooth, one);
        Ratio("smooth / Pillow (nearest)", smooth, pillow);
        Ratio("smooth / ImageMagick", smooth, magick);
    }

    Kind MakeOdd(int count) {
        Kind kind{"odd", {}};
        const std::vector<TextureForm> forms = AllTextureForms();
        for (int i = 0; i < count; ++i) {
            kind.textures.push_back(Write("odd", forms[i % forms.size()], 37 + 97 * (i % 11),
                                          19 + 131 * (i % 7)));
        }
        return kind;
    }

    // With smooth, also the batch of smooth tiles (--filter smooth) with one job.
    void Speed(const std::vector<Kind>& kinds, bool smooth = false) {
        const std::string cores = std::to_string(std::thread::hardware_concurrency());
        std::printf("| textures/s | %s |\n|---|", Names(kinds).c_str());
        for (std::size_t i = 0; i < kinds.size(); ++i) std::printf("---|");
        std::printf("\n");
        std::vector<double> floor, one, all, smoothOne;
        for (const Kind& kind : kinds) {
            std::vector<double> f, o, a, s;
            for (int run = 0; run < mRuns; ++run) {
                const auto start = std::chrono::steady_clock::now();
                for (const std::string& texture : kind.textures) ReadWholeAndWriteTileSized(texture);
                f.push_back(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
                o.push_back(RunCli(Batch(kind.textures, "1")).seconds);
                a.push_back(RunCli(Batch(kind.textures, cores)).seconds);
                if (smooth) s.push_back(RunCli(Batch(kind.textures, "1", "smooth")).seconds);
            }
            const double n = static_cast<double>(kind.textures.size());
            floor.push_back(n / Median(f));
            one.push_back(n / Median(o));
            all.push_back(n / Median(a));
            if (smooth) smoothOne.push_back(n / Median(s));
        }
        Row("read whole, write tile-sized (floor)", floor);
        Row("`batch --jobs 1`", one);
        Row("`batch --jobs " + cores + "` (all cores)", all);
        if (smooth) Row("`batch --filter smooth --jobs 1`", smoothOne);
        Ratio("--jobs 1 / floor", one, floor);
        Ratio("all cores / floor", all, floor);
        Ratio("all cores / --jobs 1", all, one);
        if (smooth) Ratio("smooth / nearest, --jobs 1", smoothOne, one);
        const ChildRun start = RunCli({"--version"});
        std::printf("\n(each batch includes starting mosaren-cli: %.1f ms)\n", start.seconds * 1000);
    }

    // Blocks and transition tiles: `batch --block` and `transitions` (flat and raised), each with
    // one job and with all cores, in tiles per second.
    void BlockSpeed(const Kind& kind) {
        const std::string cores = std::to_string(std::thread::hardware_concurrency());
        std::printf("| tiles/s (%s textures) | --jobs 1 | --jobs %s (all cores) | all / one |\n"
                    "|---|---|---|---|\n",
                    kind.name.c_str(), cores.c_str());
        const std::string side = kind.textures.back();
        const std::vector<std::string> block{"--block", "24"};
        const std::vector<std::string> cube{"--size", "128x64", "--block", "cube",
                                            "--right-texture", side};
        const auto batchOf = [&](const std::vector<std::string>& options) {
            return [&, options](const std::string& jobs) {
                std::vector<std::string> arguments = Batch(kind.textures, jobs);
                arguments.insert(arguments.end(), options.begin(), options.end());
                return std::vector<std::vector<std::string>>{arguments};
            };
        };
        // Pairs of textures, one run of 16 tiles each, into a sheet: one file to flush, not 16.
        const auto transitionsOf = [&](const std::vector<std::string>& options) {
            return [&, options](const std::string& jobs) {
                std::vector<std::vector<std::string>> runs;
                for (std::size_t i = 0; i + 1 < kind.textures.size() && runs.size() < 10; i += 2) {
                    std::vector<std::string> arguments{"transitions", "--jobs", jobs,
                                                       kind.textures[i], kind.textures[i + 1],
                                                       mFolder + "/shore", "--sheet",
                                                       mFolder + "/shore.bmp"};
                    arguments.insert(arguments.end(), options.begin(), options.end());
                    runs.push_back(arguments);
                }
                return runs;
            };
        };
        using Runs = std::function<std::vector<std::vector<std::string>>(const std::string&)>;
        const std::vector<std::pair<std::string, Runs>> rows = {
            {"`batch --block 24`", batchOf(block)},
            {"`batch --size 128x64 --block cube --right-texture`", batchOf(cube)},
            {"`transitions --edge noise --sheet` (10 runs)", transitionsOf({"--edge", "noise"})},
            {"`transitions --size 255x255 --block 255 --sheet` (10 runs)",
             transitionsOf({"--size", "255x255", "--block", "255"})}};
        for (const auto& [name, runsFor] : rows) {
            double rates[2] = {};
            const std::string jobs[2] = {"1", cores};
            for (int j = 0; j < 2; ++j) {
                const std::vector<std::vector<std::string>> runs = runsFor(jobs[j]);
                std::vector<double> seconds;
                for (int run = 0; run < mRuns; ++run) {
                    double total = 0;
                    for (const std::vector<std::string>& arguments : runs) {
                        const ChildRun child = RunCli(arguments);
                        if (child.status != 0) std::abort();
                        total += child.seconds;
                    }
                    seconds.push_back(total);
                }
                const double tiles = runs.front().front() == "batch"
                                         ? static_cast<double>(kind.textures.size())
                                         : 16.0 * static_cast<double>(runs.size());
                rates[j] = tiles / Median(seconds);
            }
            std::printf("| %s | %.0f | %.0f | %.2f |\n", name.c_str(), rates[0], rates[1],
                        rates[1] / rates[0]);
        }
    }

    void Memory(const Kind& kind) {
        std::vector<std::string> ten(kind.textures.begin(), kind.textures.begin() + 10);
        std::vector<std::string> thousand;
        while (thousand.size() < 1000) {
            thousand.insert(thousand.end(), kind.textures.begin(),
                            kind.textures.begin() + std::min<std::size_t>(kind.textures.size(),
                                                                          1000 - thousand.size()));
        }
        std::printf("\n| peak memory, MiB (%s textures) | after 10 | after 1000 | ratio |\n"
                    "|---|---|---|---|\n",
                    kind.name.c_str());
        const std::vector<std::pair<std::string, std::vector<std::string>>> outputs = {
            {"tiles", {}},
            {"--sheet", {"--sheet", mFolder + "/sheet.png"}},
            {"--map-preview", {"--map-preview", mFolder + "/preview.png"}},
            {"--sheet --map-preview",
             {"--sheet", mFolder + "/sheet.bmp", "--map-preview", mFolder + "/preview.png"}}};
        for (const auto& [name, options] : outputs) {
            std::vector<double> peaks;
            for (const std::vector<std::string>* textures : {&ten, &thousand}) {
                std::vector<std::string> arguments = options;
                const std::vector<std::string> batch =
                    Batch(*textures, std::to_string(std::thread::hardware_concurrency()));
                arguments.insert(arguments.begin(), batch.begin(), batch.end());
                std::vector<double> runs;
                for (int run = 0; run < mRuns; ++run) runs.push_back(RunCli(arguments).peakMiB);
                peaks.push_back(Median(runs));
            }
            std::printf("| %s | %.1f | %.1f | %.2f |\n", name.c_str(), peaks[0], peaks[1],
                        peaks[1] / peaks[0]);
        }
    }

    // Peak memory of very large PNG textures, which are read a few rows at a time: one 8000²
    // texture with one job, two with two jobs.
    void LargePngMemory() {
        const Kind large = AsForm(Make("8000²", TextureForm::Rgb24, 2, 8000, 8000), "rgb-png",
                                  "8000² PNG", ".png");
        std::printf("\n| peak memory, MiB (8000² RGB PNG) | tiles | --filter smooth |\n"
                    "|---|---|---|\n");
        for (const std::size_t count : {std::size_t{1}, std::size_t{2}}) {
            const std::vector<std::string> textures(large.textures.begin(),
                                                    large.textures.begin() + count);
            double peaks[2] = {};
            for (int f = 0; f < 2; ++f) {
                std::vector<double> runs;
                for (int run = 0; run < mRuns; ++run) {
                    runs.push_back(RunCli(Batch(textures, std::to_string(count),
                                                f == 0 ? "nearest" : "smooth"))
                                       .peakMiB);
                }
                peaks[f] = Median(runs);
            }
            std::printf("| %zu with --jobs %zu | %.1f | %.1f |\n", count, count, peaks[0], peaks[1]);
        }
    }

private:
    // ImageMagick's smooth turn and squeeze, one command per texture as a user's script would.
    static double RunMagick(const std::vector<std::string>& textures) {
        const std::string out = fs::path(textures.front()).parent_path() / "magick-tile.png";
        const auto start = std::chrono::steady_clock::now();
        for (const std::string& texture : textures) {
            const std::string command = std::string(MOSAREN_IMAGEMAGICK) + " " + texture +
                                        " +distort SRT 45 -resize '72x36!' " + out;
            if (std::system(command.c_str()) != 0) std::abort();
        }
        return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    }

    static double RunPillow(const std::vector<std::string>& textures) {
        std::string command = MOSAREN_PILLOW_TILES;
        for (const std::string& texture : textures) command += " " + texture;
        const auto start = std::chrono::steady_clock::now();
        if (std::system(command.c_str()) != 0) std::abort();
        return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    }

    std::string Write(const std::string& name, TextureForm form, std::int32_t width,
                      std::int32_t height) {
        const std::string path = mFolder + "/" + name + std::to_string(mSeed) + ".bmp";
        WriteBytes(path, TextureFile(form, width, height, mSeed++));
        return path;
    }

    static std::string Names(const std::vector<Kind>& kinds) {
        std::string names;
        for (const Kind& kind : kinds) {
            if (!names.empty()) names += " | ";
            names += kind.name;
        }
        return names;
    }

    static void Row(const std::string& name, const std::vector<double>& values) {
        std::printf("| %s |", name.c_str());
        for (double v : values) std::printf(" %.0f |", v);
        std::printf("\n");
    }

    static void Ratio(const std::string& name, const std::vector<double>& a,
                      const std::vector<double>& b) {
        std::printf("| %s |", name.c_str());
        for (std::size_t i = 0; i < a.size(); ++i) std::printf(" %.2f |", a[i] / b[i]);
        std::printf("\n");
    }

    int mRuns;
    std::string mFolder;
    std::uint32_t mSeed = 1;
};

// The PNG and JPEG tables, the 512² ones made from textures.
void PictureTables(Bench& bench, const Kind& textures, int scale) {
    // Enough of each that starting the program (a few tens of milliseconds) is a small part.
    const Kind small = bench.Make("256²", TextureForm::Rgb24, 200 * scale, 256, 256);
    const Kind huge = bench.Make("2048²", TextureForm::Rgb24, 12 * scale, 2048, 2048);
    bench.PictureSpeed({Bench::AsForm(textures, "rgb-png", "512² RGB PNG", ".png"),
                        Bench::AsForm(textures, "rgba-png", "512² RGBA PNG", ".png"),
                        Bench::AsForm(huge, "rgb-png", "2048² RGB PNG", ".png"),
                        Bench::AsForm(small, "palette-png", "256² paletted PNG", ".png"),
                        Bench::AsForm(textures, "jpeg", "512² JPEG", ".jpeg"),
                        Bench::AsForm(huge, "jpeg", "2048² JPEG", ".jpeg")});
    bench.LargePngMemory();
}

// Each BMP set beside its PNG copy.
std::vector<Kind> SmoothFormats(const std::vector<Kind>& bmpSets) {
    std::vector<Kind> formats;
    for (const Kind& bmp : bmpSets) {
        formats.push_back(bmp);
        formats.back().name += " BMP";
        formats.push_back(Bench::AsPng(bmp));
    }
    return formats;
}

}  // namespace

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 3;
    const int scale = argc > 2 ? std::max(1, std::atoi(argv[2])) : 1;
    const std::string only = argc > 3 ? argv[3] : "";
    Bench bench(runs);
    // "pictures": the PNG and JPEG tables alone.
    if (only == "pictures") {
        PictureTables(bench, bench.Make("512²", TextureForm::Rgb24, 200 * scale, 512, 512), scale);
        return 0;
    }
    // "smooth": the BMP sets and their PNG copies, smooth tiles beside nearest ones, alone.
    if (only == "smooth") {
        bench.Speed(SmoothFormats({bench.Make("512²", TextureForm::Rgb24, 200 * scale, 512, 512),
                                   bench.Make("64²", TextureForm::Rgb24, 200 * scale, 64, 64),
                                   bench.Make("2048²", TextureForm::Rgb24, 4 * scale, 2048, 2048),
                                   bench.Make("pal8", TextureForm::Pal8, 40 * scale, 512, 512)}),
                    true);
        return 0;
    }
    const Kind blockTextures = bench.Make("512²", TextureForm::Rgb24, 100 * scale, 512, 512);
    bench.BlockSpeed(blockTextures);
    // "blocks": that table alone.
    if (only == "blocks") return 0;
    std::printf("\n");
    // 200 of 512², 200 of 64², 4 of 2048² (24 bits), 40 paletted, 40 run-length,
    // 20 of 32 bits and 20 of odd sizes and forms.
    std::vector<Kind> kinds = {
        bench.Make("512²", TextureForm::Rgb24, 200 * scale, 512, 512),
        bench.Make("64²", TextureForm::Rgb24, 200 * scale, 64, 64),
        bench.Make("2048²", TextureForm::Rgb24, 4 * scale, 2048, 2048),
        bench.Make("pal8", TextureForm::Pal8, 40 * scale, 512, 512),
        bench.Make("RLE8", TextureForm::Rle8, 40 * scale, 512, 512),
        bench.Make("32-bit", TextureForm::Rgb32, 20 * scale, 512, 512),
    };
    Kind mix{"mix", {}};
    for (const Kind& kind : kinds) mix.textures.insert(mix.textures.end(), kind.textures.begin(), kind.textures.end());
    const Kind odd = bench.MakeOdd(20 * scale);
    mix.textures.insert(mix.textures.end(), odd.textures.begin(), odd.textures.end());
    const Kind large = kinds[0];
    kinds.push_back(std::move(mix));
    bench.Speed(kinds);
    bench.Memory(large);
    std::printf("\n");
    bench.Speed(SmoothFormats({kinds[0], kinds[1], kinds[2], kinds[3]}), true);

    std::printf("\n");
    PictureTables(bench, kinds[0], scale);
    return 0;
}
