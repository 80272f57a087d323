#pragma once

// The tiles of a sheet until the sheet is written: in memory up to a bound (kHeldBytes), and
// beyond it in an unnamed file that goes with the run, so that a run of thousands of tiles holds
// no more of them in memory than that. A sheet whose tiles fit the bound takes no room on the
// disk but its own (the raw tiles are many times the size of an encoded sheet, and would take
// the room the sheet needs on a nearly full disk). Where no such file can be had, or the disk
// will not take a tile, the tiles from there on are kept in memory instead: the sheet never
// depends on the spill.

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

    // The tiles' bytes held in memory before any goes to the file.
    static constexpr std::size_t kHeldBytes = std::size_t{256} << 20;
    // Tile k as it was appended. Raises "Stream read error" should the file fail.
    RgbaImage Read(std::size_t k) const;

private:
    int mFd = -1;
    std::int32_t mWidth = 0;
    std::int32_t mHeight = 0;
    std::string mFolder;      // where the file goes once it is needed
    bool mFileTried = false;
    std::size_t mHeld = 0;    // tiles 0 to mHeld − 1, the first of mInMemory
    std::size_t mOnDisk = 0;  // tiles mHeld to mHeld + mOnDisk − 1, in the file
    std::vector<RgbaImage> mInMemory;  // the held tiles, then those the file did not take
};

}  // namespace mosaren
