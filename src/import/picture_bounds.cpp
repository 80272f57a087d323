#include "picture_bounds.h"

#include "picture_import.h"
#include "raster/exceptions.h"

namespace mosaren {

void RefuseBeyondBound(const std::string& what, std::uint64_t limit, const std::string& unit) {
    throw EInvalidGraphic(std::string(kUnreadablePicture) + ": " + what + ", more than the " +
                          std::to_string(limit) + " " + unit);
}

void CheckWholePicture(std::int64_t width, std::int64_t height) {
    const auto pixels = static_cast<std::uint64_t>(width) * static_cast<std::uint64_t>(height);
    if (pixels > kWholePicturePixels) {
        RefuseBeyondBound(std::to_string(width) + " x " + std::to_string(height) +
                              " pixels decoded whole",
                          kWholePicturePixels, "pixels a texture decoded whole may have");
    }
}

}  // namespace mosaren
