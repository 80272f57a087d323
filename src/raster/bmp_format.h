#pragma once

// The fixed layout of a BMP file shared by the reader and the writer: record sizes, the
// signature, and little-endian loads and stores (files are little-endian whatever the machine).

#include <cstddef>
#include <cstdint>

namespace mosaren::bmp {

inline constexpr std::uint16_t kSignature = 0x4D42;  // the bytes "BM"
inline constexpr std::size_t kFileHeaderSize = 14;
inline constexpr std::uint32_t kCoreHeaderSize = 12;
inline constexpr std::uint32_t kInfoHeaderSize = 40;
inline constexpr std::size_t kMaskBytes = 12;
// Header bytes the reader keeps: the 40 standard ones and the masks that larger headers carry
// at header bytes 40 to 51. Anything after them (colour space, profile) is not used.
inline constexpr std::size_t kKeptHeaderBytes = 52;
inline constexpr std::uint32_t kMaxColourEntries = 256;

inline std::uint16_t LoadU16(const std::uint8_t* p) {
    return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}
inline std::uint32_t LoadU32(const std::uint8_t* p) {
    return std::uint32_t{p[0]} | (std::uint32_t{p[1]} << 8) | (std::uint32_t{p[2]} << 16) |
           (std::uint32_t{p[3]} << 24);
}
inline std::int32_t LoadI32(const std::uint8_t* p) { return static_cast<std::int32_t>(LoadU32(p)); }

inline void StoreU16(std::uint8_t* p, std::uint16_t v) {
    p[0] = static_cast<std::uint8_t>(v);
    p[1] = static_cast<std::uint8_t>(v >> 8);
}
inline void StoreU32(std::uint8_t* p, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) p[i] = static_cast<std::uint8_t>(v >> (8 * i));
}
inline void StoreI32(std::uint8_t* p, std::int32_t v) { StoreU32(p, static_cast<std::uint32_t>(v)); }

}  // namespace mosaren::bmp
