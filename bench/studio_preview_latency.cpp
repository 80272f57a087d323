// How long Mosaren Studio's live preview takes for a 512 × 512 texture on one core: the request
// made, the command line's tile (or block, or transition tiles) and map preview written and read
// back. Prints the median and the slowest of a number of runs of each kind; no goal is checked.
//
//     build/src/studio/studio_preview_latency [runs]

#include <sched.h>

#include <QCoreApplication>
#include <QImage>
#include <QTemporaryDir>
#include <QThreadPool>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "studio/preview_render.h"

namespace {

using mosaren::studio::PreviewRequest;

QImage Texture(int side, int seed) {
    QImage image(side, side, QImage::Format_RGB32);
    for (int y = 0; y < side; ++y) {
        for (int x = 0; x < side; ++x) {
            image.setPixel(x, y, qRgb((x * 7 + seed) & 255, (y * 5 + x) & 255, (x ^ y) & 255));
        }
    }
    return image;
}

void Measure(const char* what, const PreviewRequest& request, int runs) {
    std::vector<double> milliseconds;
    for (int run = 0; run < runs; ++run) {
        const auto start = std::chrono::steady_clock::now();
        const mosaren::studio::PreviewResult result = mosaren::studio::RenderPreview(request);
        const auto end = std::chrono::steady_clock::now();
        if (result.tiles.isNull()) {
            std::fprintf(stderr, "%s: %s\n", what, qPrintable(result.failure));
            std::exit(1);
        }
        milliseconds.push_back(std::chrono::duration<double, std::milli>(end - start).count());
    }
    std::sort(milliseconds.begin(), milliseconds.end());
    std::printf("%-34s median %7.2f ms   slowest %7.2f ms   (%d runs)\n", what,
                milliseconds[milliseconds.size() / 2], milliseconds.back(), runs);
}

}  // namespace

int main(int argc, char** argv) {
    // One core, as the figures say.
    cpu_set_t one;
    CPU_ZERO(&one);
    CPU_SET(0, &one);
    sched_setaffinity(0, sizeof one, &one);
    QCoreApplication application(argc, argv);
    QThreadPool::globalInstance()->setMaxThreadCount(1);
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 20;

    QTemporaryDir folder;
    const std::string a = (folder.path() + "/a.png").toStdString();
    const std::string b = (folder.path() + "/b.png").toStdString();
    Texture(512, 0).save(QString::fromStdString(a));
    Texture(512, 99).save(QString::fromStdString(b));

    std::printf("Preview of a 512 x 512 PNG texture, one core:\n");
    PreviewRequest tile{PreviewRequest::Kind::Tile, a, {}, {}, {}};
    Measure("tile 72x36 and map", tile, runs);
    tile.keys = {{"size", "128x64"}};
    Measure("tile 128x64 and map", tile, runs);
    tile.keys = {{"size", "64x32"}, {"block", "32"}};
    Measure("block 64x32, 32 high, and map", tile, runs);
    const PreviewRequest transitions{PreviewRequest::Kind::Transitions, {}, a, b, {}};
    Measure("16 transition tiles and map", transitions, runs);
    return 0;
}
