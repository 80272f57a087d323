#include "colour_profile.h"

#include <QByteArray>
#include <QColorSpace>
#include <QColorTransform>

namespace mosaren {

struct ColourProfile::Transform {
    QColorTransform toSrgb;
};

ColourProfile::ColourProfile() = default;
ColourProfile::~ColourProfile() = default;
ColourProfile::ColourProfile(ColourProfile&&) noexcept = default;
ColourProfile& ColourProfile::operator=(ColourProfile&&) noexcept = default;

ColourProfile::ColourProfile(std::span<const std::uint8_t> icc) {
    const QColorSpace space = QColorSpace::fromIccProfile(
        QByteArray(reinterpret_cast<const char*>(icc.data()), static_cast<qsizetype>(icc.size())));
    if (space.isValid() && space != QColorSpace(QColorSpace::SRgb)) {
        mTransform = std::make_unique<Transform>(
            Transform{space.transformationToColorSpace(QColorSpace(QColorSpace::SRgb))});
    }
}

std::uint32_t ColourProfile::ToSrgb(std::uint32_t argb) const {
    return mTransform ? mTransform->toSrgb.map(static_cast<QRgb>(argb)) : argb;
}

}  // namespace mosaren
