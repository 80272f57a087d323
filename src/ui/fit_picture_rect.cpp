#include "fit_picture_rect.h"

#include <cmath>

namespace mosaren {

namespace {
// Extended precision matters at the edge: 150 × (100 / 300) lies just below 50, and the double
// product would round it up to 50.
std::int32_t Trunc(long double value) { return static_cast<std::int32_t>(std::trunc(value)); }
}  // namespace

TRect FitPictureRect(std::int32_t width, std::int32_t height, std::int32_t areaWidth,
                     std::int32_t areaHeight) {
    std::int32_t fittedWidth = areaWidth;
    std::int32_t fittedHeight = areaHeight;
    if (width > 0 && height > 0) {
        // Divided in extended precision, then kept as a double.
        const double aspect = static_cast<double>(static_cast<long double>(width) / height);
        if (width > height) {
            fittedHeight = Trunc(static_cast<long double>(areaWidth) / aspect);
            if (fittedHeight > areaHeight) {
                fittedHeight = areaHeight;
                fittedWidth = Trunc(static_cast<long double>(areaHeight) * aspect);
            }
        } else {
            fittedWidth = Trunc(static_cast<long double>(areaHeight) * aspect);
            if (fittedWidth > areaWidth) {
                fittedWidth = areaWidth;
                fittedHeight = Trunc(static_cast<long double>(areaWidth) / aspect);
            }
        }
    }
    const std::int32_t left = (areaWidth - fittedWidth) / 2;
    const std::int32_t top = (areaHeight - fittedHeight) / 2;
    return {left, top, left + fittedWidth, top + fittedHeight};
}

}  // namespace mosaren
