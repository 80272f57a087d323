#include "exif_orientation.h"

#include <cstring>

namespace mosaren {

int ExifOrientation(std::span<const std::uint8_t> app1) {
    constexpr std::size_t kTiff = 6;
    if (app1.size() < kTiff + 8 || std::memcmp(app1.data(), "Exif\0\0", kTiff) != 0) return 1;
    const std::span<const std::uint8_t> tiff = app1.subspan(kTiff);
    const bool little = tiff[0] == 'I' && tiff[1] == 'I';
    if (!little && !(tiff[0] == 'M' && tiff[1] == 'M')) return 1;
    const auto u16 = [&](std::size_t at) -> std::uint32_t {
        return little ? tiff[at] | (tiff[at + 1] << 8) : (tiff[at] << 8) | tiff[at + 1];
    };
    const auto u32 = [&](std::size_t at) -> std::uint32_t {
        return little ? u16(at) | (u16(at + 2) << 16) : (u16(at) << 16) | u16(at + 2);
    };
    const std::uint32_t ifd = u32(4);
    if (ifd > tiff.size() || tiff.size() - ifd < 2) return 1;
    const std::uint32_t entries = u16(ifd);
    for (std::uint32_t i = 0; i < entries; ++i) {
        const std::size_t at = ifd + 2 + std::size_t{i} * 12;
        if (at + 12 > tiff.size()) return 1;
        if (u16(at) == 0x0112 && u16(at + 2) == 3) {
            const std::uint32_t value = u16(at + 8);
            return value >= 1 && value <= 8 ? static_cast<int>(value) : 1;
        }
    }
    return 1;
}

}  // namespace mosaren
