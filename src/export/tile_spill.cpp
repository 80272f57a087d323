#include "tile_spill.h"

#include <fcntl.h>
#include <unistd.h>

#include <filesystem>

#include "raster/exceptions.h"

namespace mosaren {

namespace {

// An unnamed file in folder, which the system removes when it is closed: -1 where none can be
// made there.
int UnnamedFile(const std::filesystem::path& folder) {
    return ::open(folder.empty() ? "." : folder.c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0600);
}

std::size_t TileBytes(std::int32_t width, std::int32_t height) {
    return static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * sizeof(Rgba);
}

}  // namespace

TileSpill::TileSpill(const std::string& besideFile)
    : mFolder(std::filesystem::path(besideFile).parent_path().string()) {}

TileSpill::~TileSpill() {
    if (mFd >= 0) ::close(mFd);
}

void TileSpill::Append(const RgbaImage& tile) {
    if (Count() == 0) {
        mWidth = tile.Width();
        mHeight = tile.Height();
    }
    const std::size_t bytes = TileBytes(mWidth, mHeight);
    if (mOnDisk == 0 && mInMemory.size() == mHeld && (mHeld + 1) * bytes <= kHeldBytes) {
        mInMemory.push_back(tile);
        ++mHeld;
        return;
    }
    if (!mFileTried) {
        mFileTried = true;
        mFd = UnnamedFile(mFolder);
        if (mFd < 0) {
            std::error_code ignored;
            mFd = UnnamedFile(std::filesystem::temp_directory_path(ignored));
        }
    }
    if (mFd >= 0 && mInMemory.size() == mHeld) {
        const auto at = static_cast<off_t>(mOnDisk * bytes);
        if (::pwrite(mFd, tile.Pixels().data(), bytes, at) == static_cast<ssize_t>(bytes)) {
            ++mOnDisk;
            return;
        }
    }
    mInMemory.push_back(tile);
}

RgbaImage TileSpill::Read(std::size_t k) const {
    if (k < mHeld) return mInMemory.at(k);
    if (k >= mHeld + mOnDisk) return mInMemory.at(k - mOnDisk);
    k -= mHeld;
    RgbaImage tile(mWidth, mHeight);
    const std::size_t bytes = TileBytes(mWidth, mHeight);
    if (::pread(mFd, &tile.At(0, 0), bytes, static_cast<off_t>(k * bytes)) != static_cast<ssize_t>(bytes)) {
        throw EReadError(messages::kStreamRead);
    }
    return tile;
}

}  // namespace mosaren
