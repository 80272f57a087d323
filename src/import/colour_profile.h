#pragma once

// A picture's embedded colour profile, converting its colours to sRGB: the colours an image
// viewer shows. Converted pixel by pixel, so that a source converts only the pixels a tile shows.

#include <cstdint>
#include <memory>
#include <span>

namespace mosaren {

class ColourProfile {
public:
    // The profile of the ICC bytes; one that Qt cannot take, or that is sRGB itself, converts
    // nothing.
    explicit ColourProfile(std::span<const std::uint8_t> icc);
    ColourProfile();
    ~ColourProfile();
    ColourProfile(ColourProfile&&) noexcept;
    ColourProfile& operator=(ColourProfile&&) noexcept;

    bool Converts() const { return mTransform != nullptr; }
    // 0xAARRGGBB, not premultiplied, to the same in sRGB; the alpha stays.
    std::uint32_t ToSrgb(std::uint32_t argb) const;

private:
    struct Transform;
    std::unique_ptr<Transform> mTransform;
};

}  // namespace mosaren
