#pragma once

// The tiles of a sheet until the sheet is written: in an unnamed file that goes with the run, so
// that a run of thousands of tiles holds none of them in memory. Where no such file can be had,
// or the disk will not take a tile, the tiles from there on are kept in memory instead: the
// sheet never depends on the spill.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "rgba_image.h"

namespace mosaren {

class TileSpill {
public:
    // The file goes in the folder of besideFile (the sheet's: the disk it is written to), else
    // in the system's temporary folder.
    explicit TileSpill(const std::string& besideFile);
    ~TileSpill();
    TileSpill(const TileSpill&) = delete;
    TileSpill& operator=(const TileSpill&) = delete;

    // Tiles are all of one size.
    void Append(const RgbaImage& tile);
    std::size_t Count() const { return mOnDisk + mInMemory.size(); }
    // Tile k as it was appended. Raises "Stream read error" should the file fail.
    RgbaImage Read(std::size_t k) const;

private:
    int mFd = -1;
    std::int32_t mWidth = 0;
    std::int32_t mHeight = 0;
    std::size_t mOnDisk = 0;  // tiles 0 to mOnDisk − 1
    std::vector<RgbaImage> mInMemory;
};

}  // namespace mosaren
