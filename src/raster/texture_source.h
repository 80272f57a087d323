#pragma once

// A texture being read, of whatever picture format: its size, whether it has alpha, and the
// colours and alpha of the pixels a tile shows. A source is opened once per file and reads only
// what it is asked for where its format allows (a PNG file row by row, keeping only the rows
// asked for; a JPEG file scanline by scanline); a format that cannot be read in parts is decoded
// whole when opened, within the bounds of the reader that opened it.

#include <cstdint>
#include <span>
#include <utility>

#include "bmp_sampler.h"
#include "colour.h"
#include "decoded_picture.h"

namespace mosaren {

class TextureSource {
public:
    virtual ~TextureSource() = default;

    virtual std::int32_t Width() const = 0;
    virtual std::int32_t Height() const = 0;
    // False: opaque throughout.
    virtual bool HasAlpha() const = 0;

    // The colours of the pixels named (samples as BmpSampler takes them), not premultiplied, and
    // where the texture has alpha, the alpha of each in alpha (which then holds as many); else
    // alpha is left alone. May be asked again, for other pixels. Raises EInvalidGraphic with the
    // reader's reason should the file turn out to be damaged.
    virtual void ReadPixels(const PixelSamples& samples, std::span<TColor> colours,
                            std::span<std::uint8_t> alpha) = 0;

    // Every pixel, for what needs the whole picture (the tile maker's blocks and transitions).
    virtual DecodedPicture ReadWhole() = 0;
};

// A picture held whole as a texture source.
class DecodedPictureSource final : public TextureSource {
public:
    explicit DecodedPictureSource(DecodedPicture picture) : mPicture(std::move(picture)) {}

    std::int32_t Width() const override { return mPicture.width; }
    std::int32_t Height() const override { return mPicture.height; }
    bool HasAlpha() const override { return mPicture.hasAlpha; }
    void ReadPixels(const PixelSamples& samples, std::span<TColor> colours,
                    std::span<std::uint8_t> alpha) override {
        for (const PixelSamples::Row& row : samples.rows) {
            for (std::uint32_t i = row.first; i < row.first + row.count; ++i) {
                const std::uint32_t argb = mPicture.At(samples.columns[i], row.y);
                colours[i] = ColourOfArgb(argb);
                if (mPicture.hasAlpha) alpha[i] = AlphaOfArgb(argb);
            }
        }
    }
    DecodedPicture ReadWhole() override { return mPicture; }

private:
    DecodedPicture mPicture;
};

}  // namespace mosaren
