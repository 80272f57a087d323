#include "bmp_output.h"

#include <algorithm>
#include <vector>

#include "raster/bmp_writer.h"
#include "raster/byte_stream.h"
#include "raster/decoded_picture.h"
#include "tiling/tile_bmp_form.h"

namespace mosaren {

void WriteBmpRows(OutputStream& stream, std::int32_t width, std::int32_t height,
                  const TTileSettings& settings, int depth,
                  const std::function<void(std::int32_t y, std::span<Rgba> row)>& rowAt) {
    WriteDeviceBmpHeaders(stream, width, height, depth);
    const TColor mask = Rgb(settings.MaskR, settings.MaskG, settings.MaskB);
    std::vector<Rgba> row(static_cast<std::size_t>(width));
    std::vector<TColor> colours(row.size());
    // Its padding stays 0, as a new section's does.
    std::vector<std::uint8_t> stored(DevicePicture{width, 1, depth, {}}.Stride(), 0);
    for (std::int32_t y = height - 1; y >= 0; --y) {
        rowAt(y, row);
        for (std::size_t x = 0; x < row.size(); ++x) {
            const Rgba& p = row[x];
            colours[x] = p.a < kOpaqueFrom ? mask : Rgb(p.r, p.g, p.b);
        }
        EncodeDeviceColours(depth, colours.data(), colours.size(), stored.data());
        WriteWhole(stream, stored.data(), stored.size());
    }
}

std::vector<std::uint8_t> BmpTileFile(const TilePixels& tile, int bitCount, TColor mask) {
    MemoryOutputStream bytes;
    WriteBmp(BmpFormOf(tile, bitCount, mask), bytes);
    return bytes.Bytes();
}

}  // namespace mosaren
