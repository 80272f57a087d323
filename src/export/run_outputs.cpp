#include "run_outputs.h"

#include <algorithm>
#include <utility>

#include "bmp_output.h"
#include "png_output.h"
#include "raster/bmp_writer.h"
#include "raster/byte_stream.h"
#include "raster/colour.h"
#include "tile_image.h"
#include "tiling/block_layout.h"

namespace mosaren {

namespace {

// A group of tile files goes in place once it holds this many, or once its first has waited
// this long: one flush of the disk serves many tiles, and none waits long to be told.
constexpr std::size_t kGroupFiles = 16;
constexpr auto kGroupWait = std::chrono::milliseconds(500);

}  // namespace

std::string TileDestination(const OutputSettings& output, const std::string& bmpName) {
    return output.format == ImageFormat::Png ? PngTileName(bmpName) : bmpName;
}

RunOutputs::RunOutputs(const TTileSettings& settings, const OutputSettings& output,
                       const BlockSettings& block)
    : mSettings(settings),
      mOutput(output),
      mGeometry(GeometryOf(settings, block)),
      mStaged(true),
      mWriters(settings, output, mGeometry) {}

RunOutputs::~RunOutputs() = default;

bool RunOutputs::MakesImages() const { return mOutput.format == ImageFormat::Png || KeepsImages(); }

std::string RunOutputs::Destination(const std::string& bmpName) const {
    if (!mOutput.sheet.empty()) return mOutput.sheet;
    return TileDestination(mOutput, bmpName);
}

RunOutputs::PreparedTile RunOutputs::Prepare(const TilePixels& tile,
                                             const std::string& bmpName) const {
    PreparedTile prepared;
    prepared.destination = Destination(bmpName);
    if (MakesImages()) {
        prepared.image = mOutput.format == ImageFormat::Png ? TileImage(tile)
                                                            : BmpTileImage(tile, mOutput.bmpDepth);
    }
    if (mOutput.sheet.empty()) {
        prepared.file = mOutput.format == ImageFormat::Png
                            ? EncodePng(prepared.image)
                            : BmpTileFile(tile, mOutput.bmpDepth,
                                          Rgb(mSettings.MaskR, mSettings.MaskG, mSettings.MaskB));
    }
    return prepared;
}

bool RunOutputs::Take(PreparedTile tile, Placed placed) {
    if (!tile.file) {
        // The sheet's: in its place now.
        mWriters.Keep(std::string(), std::move(tile.image));
        return placed(nullptr);
    }
    const std::vector<std::uint8_t>& bytes = *tile.file;
    try {
        mStaged.Add(StagedFile(
            tile.destination,
            [&bytes](OutputStream& stream) { WriteWhole(stream, bytes.data(), bytes.size()); },
            &mStaged.Spares()));
    } catch (...) {
        const std::exception_ptr failure = std::current_exception();
        return Commit() && placed(failure);
    }
    if (mWaiting.empty()) mFirstWaiting = std::chrono::steady_clock::now();
    mWaiting.push_back(Waiting{std::move(placed), std::move(tile.destination),
                               KeepsImages() ? std::move(tile.image) : RgbaImage()});
    if (mWaiting.size() >= kGroupFiles || std::chrono::steady_clock::now() >= CommitDue()) {
        return Commit();
    }
    return true;
}

std::chrono::steady_clock::time_point RunOutputs::CommitDue() const {
    if (mWaiting.empty()) return std::chrono::steady_clock::time_point::max();
    return mFirstWaiting + kGroupWait;
}

bool RunOutputs::Commit() {
    std::vector<Waiting> waiting = std::exchange(mWaiting, {});
    return mStaged.PutInPlace([&](std::size_t i, std::exception_ptr failure) {
        if (!failure) mWriters.Keep(waiting[i].destination, std::move(waiting[i].image));
        return waiting[i].placed(failure);
    });
}

void RunOutputs::Put(const TilePixels& tile, const std::string& bmpName) {
    const Placed stopAtFailure = [this](std::exception_ptr failure) {
        mPutFailure = failure;
        return !failure;
    };
    PreparedTile prepared;
    try {
        prepared = Prepare(tile, bmpName);
    } catch (...) {
        // The tiles before it stay written, as they would had each been written at once.
        const std::exception_ptr failure = std::current_exception();
        if (!Commit()) std::rethrow_exception(mPutFailure);
        std::rethrow_exception(failure);
    }
    if (!Take(std::move(prepared), stopAtFailure)) std::rethrow_exception(mPutFailure);
}

void RunOutputs::Finish(const Written& written) {
    if (Pending() && !Commit()) {
        if (mPutFailure) std::rethrow_exception(mPutFailure);
        return;
    }
    mWriters.Write(written);
}

}  // namespace mosaren
